// The bytes of a picture file or of an embedded resource, held for decoding.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "files/picture_fault.h"

namespace korvi {

// The largest file read: 256 MB.
inline constexpr std::int64_t MAX_FILE_BYTES = std::int64_t{256} << 20;

class FileBuffer {
 public:
  // Reads the whole file; false (and empty) when it cannot be opened or read, is
  // not a regular file (a directory, a device, a pipe: never waited on), is larger
  // than MAX_FILE_BYTES, is empty or does not fit in memory, with the reason in
  // *fault when fault is not null. Any earlier content is released first.
  bool load_file(const char* file_name, PictureFault* fault = nullptr);
  // Copies the embedded resource of that type and name; false (and empty) when the
  // program has none or it is empty, with the reason as above.
  bool load_resource(const char* type, const char* name, PictureFault* fault = nullptr);
  void release() { std::vector<std::uint8_t>().swap(m_bytes); }
  bool empty() const { return m_bytes.empty(); }
  std::span<const std::uint8_t> bytes() const { return m_bytes; }
  // Hands the bytes over, leaving the buffer empty.
  std::vector<std::uint8_t> take() { return std::move(m_bytes); }

 private:
  std::vector<std::uint8_t> m_bytes;
};

}  // namespace korvi
