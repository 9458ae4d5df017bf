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

// The fault for an error number left by opening or reading a file.
PictureFault fault_of(int error) {
  if (error == ENOENT || error == ENOTDIR) return PictureFault::not_found;
  if (error == EACCES || error == EPERM) return PictureFault::no_permission;
  if (error == ENOMEM) return PictureFault::out_of_memory;
  return PictureFault::read_failed;
}

}  // namespace

bool FileBuffer::load_file(const char* file_name, PictureFault* fault) {
  release();
  if (!file_name) return fail_with(fault, PictureFault::not_found);
  // Not blocking: opening a named pipe must not wait for a writer.
  const FileDescriptor file(::open(file_name, O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat status {};
  if (file.get() < 0 || ::fstat(file.get(), &status) != 0) return fail_with(fault, fault_of(errno));
  if (!S_ISREG(status.st_mode)) return fail_with(fault, PictureFault::not_regular_file);
  if (status.st_size > MAX_FILE_BYTES) return fail_with(fault, PictureFault::file_too_large);
  try {
    // What the file holds when it is opened; bytes added later are not read.
    m_bytes.resize(static_cast<std::size_t>(status.st_size));
  } catch (const std::bad_alloc&) {
    release();
    return fail_with(fault, PictureFault::out_of_memory);
  }
  const std::int64_t read = read_fully(file.get(), m_bytes.data(), m_bytes.size());
  if (read < 0) {
    const int error = errno;
    release();
    return fail_with(fault, fault_of(error));
  }
  m_bytes.resize(static_cast<std::size_t>(read));
  return !m_bytes.empty() || fail_with(fault, PictureFault::empty);
}

bool FileBuffer::load_resource(const char* type, const char* name, PictureFault* fault) {
  release();
  const auto bytes = type && name ? find_resource(type, name) : std::nullopt;
  if (!bytes) return fail_with(fault, PictureFault::not_found);
  try {
    m_bytes.assign(bytes->begin(), bytes->end());
  } catch (const std::bad_alloc&) {
    release();
    return fail_with(fault, PictureFault::out_of_memory);
  }
  return !m_bytes.empty() || fail_with(fault, PictureFault::empty);
}

}  // namespace korvi
