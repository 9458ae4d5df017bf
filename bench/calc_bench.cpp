// The calculator's performance figures: evaluations per second, the time to sample
// a function over 10000 points, and the start-to-end time of `echo exit | calc`.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "calc/evaluate_expression.h"
#include "plot/sample_function.h"

namespace {

class IgnoredReports final : public calc::ReportSink {
 public:
  void print_report(calc::Report) override {}
};

void evaluate_repeatedly(benchmark::State& state, const char* expression) {
  IgnoredReports reports;
  char text[calc::EXPRESSION_CAPACITY];
  const std::size_t size = std::strlen(expression) + 1;
  for (auto _ : state) {
    std::memcpy(text, expression, size);  // evaluation rewrites the text in place
    benchmark::DoNotOptimize(calc::evaluate_expression(text, sizeof text, reports));
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_EvaluateArithmetic(benchmark::State& state) { evaluate_repeatedly(state, "1+2*3-4/5"); }
BENCHMARK(BM_EvaluateArithmetic);

void BM_EvaluateFunctions(benchmark::State& state) {
  evaluate_repeatedly(state, "sin(0.5)^2+cos(0.5)*sqrt(2)-ln(3)");
}
BENCHMARK(BM_EvaluateFunctions);

// "y=sin(x)^2+cos(x)" after its head, 10000 samples: number texts, substitution and
// evaluation.
void BM_Sample10000Points(benchmark::State& state) {
  IgnoredReports reports;
  calc::PlotSamples samples;
  for (auto _ : state) {
    calc::sample_function("sin(x)^2+cos(x)", -10.0, 10.0, 10000, reports, samples);
    benchmark::DoNotOptimize(samples.ys.data());
  }
}
BENCHMARK(BM_Sample10000Points)->Unit(benchmark::kMillisecond);

// `echo exit | calc` from fork to exit, in a scratch directory (the program records
// "exit" in its history file there).
void BM_StartupWithExit(benchmark::State& state) {
  const std::filesystem::path directory =
      std::filesystem::temp_directory_path() / ("calc-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(directory);
  const std::string input = (directory / "stdin").string();
  std::ofstream(input) << "exit\n";
  const std::string work = directory.string();
  for (auto _ : state) {
    const pid_t child = fork();
    if (child == 0) {
      const int in = open(input.c_str(), O_RDONLY);
      const int null = open("/dev/null", O_WRONLY);
      if (in < 0 || null < 0 || chdir(work.c_str()) != 0) _exit(126);
      dup2(in, STDIN_FILENO);
      dup2(null, STDOUT_FILENO);
      execl(CALC_PROGRAM, "calc", static_cast<char*>(nullptr));
      _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("calc failed");
  }
  std::filesystem::remove_all(directory);
}
BENCHMARK(BM_StartupWithExit)->Unit(benchmark::kMillisecond);

}  // namespace
