// The bytes of a picture file or of an embedded resource, held for decoding.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace korvi {

class FileBuffer {
 public:
  // Reads the whole file; false (and empty) when it cannot be opened or read. Any
  // earlier content is released first.
  bool load_file(const char* file_name);
  // Copies the embedded resource of that type and name; false (and empty) when the
  // program has none.
  bool load_resource(const char* type, const char* name);
  void release() { m_bytes.clear(); }
  bool empty() const { return m_bytes.empty(); }
  std::span<const std::uint8_t> bytes() const { return m_bytes; }

 private:
  std::vector<std::uint8_t> m_bytes;
};

}  // namespace korvi
