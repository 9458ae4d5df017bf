#include "files/file_buffer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#include "files/resources.h"

namespace korvi {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : m_fd(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  int get() const { return m_fd; }

 private:
  int m_fd;
};

// Reads up to size bytes; the count read (less when the file shrank meanwhile), or
// -1 on a read error.
std::int64_t read_fully(int fd, std::uint8_t* out, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got = ::read(fd, out + done, size - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return -1;
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return static_cast<std::int64_t>(done);
}

}  // namespace

bool FileBuffer::load_file(const char* file_name) {
  release();
  if (!file_name) return false;
  // Not blocking: opening a named pipe must not wait for a writer.
  const FileDescriptor file(::open(file_name, O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat status {};
  if (file.get() < 0 || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
      status.st_size > MAX_FILE_BYTES)
    return false;
  try {
    // What the file holds when it is opened; bytes added later are not read.
    m_bytes.resize(static_cast<std::size_t>(status.st_size));
  } catch (const std::bad_alloc&) {
    release();
    return false;
  }
  const std::int64_t read = read_fully(file.get(), m_bytes.data(), m_bytes.size());
  if (read < 0) {
    release();
    return false;
  }
  m_bytes.resize(static_cast<std::size_t>(read));
  return !m_bytes.empty();
}

bool FileBuffer::load_resource(const char* type, const char* name) {
  release();
  if (!type || !name) return false;
  const auto bytes = find_resource(type, name);
  if (!bytes) return false;
  try {
    m_bytes.assign(bytes->begin(), bytes->end());
  } catch (const std::bad_alloc&) {
    release();
    return false;
  }
  return !m_bytes.empty();
}

}  // namespace korvi
