#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string_view>

namespace calc {

/// Appends `record` to the file `name`, created when absent, and returns 0 or the
/// error number of what failed. The record reaches a regular file whole or not at
/// all: after a short write the file is cut back to its size before the write. It
/// never joins an unterminated last line: it starts on a new line then. Opening
/// never waits (a FIFO without a reader is an error).
int append_record(const char* name, std::string_view record);

/// Why something that is not a regular file was left alone: "Is a directory" or
/// "not a regular file".
const char* not_a_regular_file(mode_t mode);

/// The lines of a regular file (links followed), read one at a time. A directory,
/// a device or a FIFO in the file's place is not read at all.
class FileLines {
 public:
  explicit FileLines(const char* name);
  ~FileLines();
  FileLines(const FileLines&) = delete;
  FileLines& operator=(const FileLines&) = delete;

  bool is_open() const { return m_file != nullptr; }
  /// Set when the name exists but is not a regular file: why it is not read.
  const char* refusal() const { return m_refusal; }

  /// Skips all but about the last `bytes` bytes: reading starts at the first whole
  /// line among them.
  void keep_only_tail(std::size_t bytes);

  /// The next line without its line end; nullopt at the end of the file. The
  /// text stays valid until the next call.
  std::optional<std::string_view> next_line();

 private:
  std::FILE* m_file = nullptr;
  off_t m_size = 0;
  const char* m_refusal = nullptr;
  char* m_line = nullptr;  // getline's buffer
  std::size_t m_capacity = 0;
};

}  // namespace calc
