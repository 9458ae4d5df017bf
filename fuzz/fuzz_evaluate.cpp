// libFuzzer target: normalises and evaluates arbitrary bytes in buffers sized exactly
// to their capacity, so that the sanitizers see any write past the end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "calc/evaluate_expression.h"
#include "calc/evaluation_abandoned.h"
#include "calc/normalize_expression.h"
#include "calc/quit_requested.h"

namespace {

class CountedReports final : public calc::ReportSink {
 public:
  void print_report(calc::Report) override { ++count; }
  int count = 0;
};

// The text of the input after its first byte, up to a NUL, in a buffer of exactly
// `capacity` bytes (at least its length plus the terminator).
std::vector<char> text_buffer(const std::uint8_t* data, std::size_t size, std::size_t extra) {
  const auto* text = reinterpret_cast<const char*>(data);
  const std::size_t length = strnlen(text, size);
  std::vector<char> buffer(length + 1 + extra, '\0');
  std::memcpy(buffer.data(), text, length);
  return buffer;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t extra_choice = data[0];
  ++data;
  --size;
  const std::size_t length = strnlen(reinterpret_cast<const char*>(data), size);

  // The normaliser: never past its buffer, and never short of room in 2*length+1 bytes.
  std::vector<char> tight = text_buffer(data, size, extra_choice % (length + 2));
  const int normalised = calc::normalize_expression(tight.data(), tight.size());
  if (normalised >= static_cast<int>(tight.size())) std::abort();
  if (tight.size() >= 2 * length + 1 && normalised < 0) std::abort();

  // The evaluator, in the command loop's buffer size and in a tight one.
  for (const std::size_t extra :
       {calc::EXPRESSION_CAPACITY > length + 1 ? calc::EXPRESSION_CAPACITY - length - 1
                                               : std::size_t{0},
        extra_choice % 3}) {
    std::vector<char> buffer = text_buffer(data, size, extra);
    CountedReports reports;
    try {
      calc::evaluate_expression(buffer.data(), buffer.size(), reports);
      if (reports.count > 1) std::abort();  // at most one argument-error report
    } catch (const calc::EvaluationAbandoned&) {
      if (reports.count != 1) std::abort();  // exactly the missing-operator report
    } catch (const calc::QuitRequested&) {
      if (reports.count != 0) std::abort();
    }
  }
  return 0;
}
