#include "record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <utility>

namespace calc {

namespace {

// A file descriptor owned for one operation.
class Descriptor {
 public:
  explicit Descriptor(int fd) : m_fd(fd) {}
  ~Descriptor() {
    if (m_fd >= 0) close(m_fd);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return m_fd; }
  int release() { return std::exchange(m_fd, -1); }
  void reset(int fd) {
    if (m_fd >= 0) close(m_fd);
    m_fd = fd;  // errno stays as the call that made `fd` left it
  }

 private:
  int m_fd;
};

// Opens without waiting on a FIFO. The flag changes nothing for a regular file;
// anything else is set back to blocking reads and writes.
int open_at_once(const char* name, int flags) {
  return open(name, flags | O_NONBLOCK | O_CLOEXEC, 0666);
}

void make_blocking(int fd) { fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK); }

// Opens for appending; for reading too where allowed, to look at the last byte.
int open_for_append(const char* name) {
  const int fd = open_at_once(name, O_RDWR | O_APPEND | O_CREAT);
  if (fd >= 0 || errno != EACCES) return fd;
  return open_at_once(name, O_WRONLY | O_APPEND | O_CREAT);
}

bool write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return false;
    if (written == 0) {
      errno = ENOSPC;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// True when the regular file of `size` bytes ends in the middle of a line (false
// when it cannot be read).
bool ends_unterminated(int fd, off_t size) {
  char last = '\n';
  return size > 0 && pread(fd, &last, 1, size - 1) == 1 && last != '\n';
}

}  // namespace

int append_record(const char* name, std::string_view record) {
  Descriptor file(open_for_append(name));
  if (file.get() < 0) return errno;
  struct stat info {};
  if (fstat(file.get(), &info) != 0) return errno;
  const bool regular = S_ISREG(info.st_mode);
  if (S_ISFIFO(info.st_mode)) {
    // Opened for reading too, a FIFO is its own reader and swallows the record.
    // Opened again for writing only, it fails at once when nobody reads it.
    file.reset(-1);  // first, or this descriptor would be the reader found
    file.reset(open_at_once(name, O_WRONLY | O_APPEND));
    if (file.get() < 0) return errno;
  }
  if (!regular) make_blocking(file.get());

  std::string bytes;
  bytes.reserve(record.size() + 1);
  if (!record.empty() && regular && ends_unterminated(file.get(), info.st_size)) bytes += '\n';
  bytes += record;
  if (!write_all(file.get(), bytes)) {
    const int error_number = errno;
    // The write's error is the one to report, whether or not the cut succeeds.
    if (regular) (void)!ftruncate(file.get(), info.st_size);
    return error_number;
  }
  return close(file.release()) == 0 ? 0 : errno;
}

const char* not_a_regular_file(mode_t mode) {
  return S_ISDIR(mode) ? "Is a directory" : "not a regular file";
}

FileLines::FileLines(const char* name) {
  Descriptor file(open_at_once(name, O_RDONLY));
  if (file.get() < 0) return;
  struct stat info {};
  if (fstat(file.get(), &info) != 0) return;
  if (!S_ISREG(info.st_mode)) {
    m_refusal = not_a_regular_file(info.st_mode);
    return;
  }
  m_size = info.st_size;
  m_file = fdopen(file.get(), "r");
  if (m_file != nullptr) file.release();
}

FileLines::~FileLines() {
  if (m_file != nullptr) std::fclose(m_file);
  std::free(m_line);
}

void FileLines::keep_only_tail(std::size_t bytes) {
  const auto tail = static_cast<off_t>(bytes);
  if (m_file == nullptr || m_size <= tail) return;
  // Starting one byte early tells whether the first byte kept begins a line.
  if (fseeko(m_file, m_size - tail - 1, SEEK_SET) == 0) next_line();
}

std::optional<std::string_view> FileLines::next_line() {
  if (m_file == nullptr) return std::nullopt;
  const ssize_t size = getline(&m_line, &m_capacity, m_file);
  if (size < 0) return std::nullopt;
  std::string_view line(m_line, static_cast<std::size_t>(size));
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  return line;
}

}  // namespace calc
