#include "history_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>

#include "record_file.h"
#include "result_format.h"

namespace calc {

namespace {

constexpr std::string_view BLANKS = " \t\n\v\f\r";
// Enough for the last thousand lines of at most 999 characters each.
constexpr std::size_t HISTORY_TAIL_BYTES = std::size_t{1} << 20;

void report_file_problem(ConsoleOutput& output, const char* action, const char* file_name,
                         const char* reason) {
  output.report_problem(std::string("calc: ") + action + " " + file_name + ": " + reason);
}

void append_to_file(const char* file_name, std::string_view record, ConsoleOutput& output) {
  const int error_number = append_record(file_name, record);
  if (error_number != 0) {
    report_file_problem(output, "cannot append to", file_name, std::strerror(error_number));
  }
}

// True when the file is open to be listed. One that is there but is not a regular
// file is reported.
bool ready_to_list(const FileLines& lines, const char* file_name, ConsoleOutput& output) {
  if (lines.refusal() != nullptr) {
    report_file_problem(output, "cannot read", file_name, lines.refusal());
  }
  return lines.is_open();
}

// A record "name<TAB>value": the value follows the last tab, so a name holding
// tabs is kept whole. False when the line has no such form.
bool split_record(std::string_view line, std::string_view& name, double& value) {
  const std::size_t tab = line.rfind('\t');
  if (tab == std::string_view::npos) return false;
  const std::size_t value_end = line.find_last_not_of(BLANKS);
  if (value_end == std::string_view::npos || value_end <= tab) return false;
  const std::string value_text(line.substr(tab + 1, value_end - tab));
  char* end = nullptr;
  value = std::strtod(value_text.c_str(), &end);  // reads "nan", "-nan" and "inf" too
  if (value_text.empty() || end != value_text.c_str() + value_text.size()) return false;
  name = line.substr(0, tab);
  return true;
}

}  // namespace

void append_history_line(std::string_view line, ConsoleOutput& output) {
  const bool recorded = line != "tu" && line != "his";
  append_to_file(HISTORY_FILE, recorded ? std::string(line) + '\n' : std::string(), output);
}

void append_result(std::string_view name, double value, ConsoleOutput& output) {
  append_to_file(VARIABLES_FILE, std::string(name) + '\t' + format_fixed(value) + '\n', output);
}

void list_variables(ConsoleOutput& output) {
  output.write_bytes("\nYour variables are:\n\n");
  FileLines lines(VARIABLES_FILE);
  if (!ready_to_list(lines, VARIABLES_FILE, output)) return;
  while (const std::optional<std::string_view> line = lines.next_line()) {
    std::string_view name;
    double value = 0.0;
    if (split_record(*line, name, value)) {
      output.write_bytes(std::string(name) + '\t' + format_fixed(value) + '\n');
    } else if (line->find_first_not_of(BLANKS) != std::string_view::npos) {
      output.write_bytes(std::string(*line) + '\n');  // not a record of ours: shown as it stands
    }
  }
  output.write_bytes("\n\n");
}

void list_history(ConsoleOutput& output) {
  output.write_bytes("\nInput history\n\n");
  FileLines lines(HISTORY_FILE);
  if (!ready_to_list(lines, HISTORY_FILE, output)) return;
  while (const std::optional<std::string_view> line = lines.next_line()) {
    for (std::size_t start = line->find_first_not_of(BLANKS); start != std::string_view::npos;) {
      const std::size_t end = std::min(line->find_first_of(BLANKS, start), line->size());
      output.write_bytes(std::string(line->substr(start, end - start)) + '\n');
      start = line->find_first_not_of(BLANKS, end);
    }
  }
  output.write_bytes("\n\n");
}

void clear_all_files(ConsoleOutput& output) {
  for (const char* file_name : {HISTORY_FILE, VARIABLES_FILE}) {
    struct stat info {};
    if (lstat(file_name, &info) != 0) {
      if (errno != ENOENT)
        report_file_problem(output, "cannot remove", file_name, std::strerror(errno));
      continue;
    }
    // A link goes, whatever it points to; anything else that is not a file stays.
    if (!S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode)) {
      report_file_problem(output, "did not remove", file_name, not_a_regular_file(info.st_mode));
    } else if (unlink(file_name) != 0 && errno != ENOENT) {
      report_file_problem(output, "cannot remove", file_name, std::strerror(errno));
    }
  }
}

std::vector<std::string> recent_history_lines(std::size_t count) {
  FileLines lines(HISTORY_FILE);
  lines.keep_only_tail(HISTORY_TAIL_BYTES);
  std::deque<std::string> recent;
  while (const std::optional<std::string_view> line = lines.next_line()) {
    if (line->empty()) continue;
    recent.emplace_back(*line);
    if (recent.size() > count) recent.pop_front();
  }
  return {recent.begin(), recent.end()};
}

}  // namespace calc
