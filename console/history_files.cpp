#include "history_files.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "result_format.h"

namespace calc {

namespace {

constexpr std::string_view BLANKS = " \t\n\v\f\r";

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

void report_file_problem(ConsoleOutput& output, const char* action, const char* file_name,
                         int error_number) {
  output.report_problem(std::string("calc: cannot ") + action + " " + file_name + ": " +
                        std::strerror(error_number));
}

// Appends `record` (possibly nothing) to the file, creating it when absent.
void append_to_file(const char* file_name, std::string_view record, ConsoleOutput& output) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(file_name, "a"));
  if (!file) return report_file_problem(output, "append to", file_name, errno);
  const bool written = std::fwrite(record.data(), 1, record.size(), file.get()) == record.size();
  const int write_error = errno;
  const bool closed = std::fclose(file.release()) == 0;
  if (!written || !closed) {
    report_file_problem(output, "append to", file_name, written ? errno : write_error);
  }
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
  std::ifstream file(VARIABLES_FILE);
  if (!file) return;
  std::string line;
  while (std::getline(file, line)) {
    std::string_view name;
    double value = 0.0;
    if (split_record(line, name, value)) {
      output.write_bytes(std::string(name) + '\t' + format_fixed(value) + '\n');
    } else if (line.find_first_not_of(BLANKS) != std::string::npos) {
      output.write_bytes(line + '\n');  // not a record of ours: shown as it stands
    }
  }
  output.write_bytes("\n\n");
}

void list_history(ConsoleOutput& output) {
  output.write_bytes("\nInput history\n\n");
  std::ifstream file(HISTORY_FILE);
  if (!file) return;
  std::string token;
  while (file >> token) output.write_bytes(token + '\n');
  output.write_bytes("\n\n");
}

void clear_all_files(ConsoleOutput& output) {
  for (const char* file_name : {HISTORY_FILE, VARIABLES_FILE}) {
    if (std::remove(file_name) != 0 && errno != ENOENT) {
      report_file_problem(output, "remove", file_name, errno);
    }
  }
}

}  // namespace calc
