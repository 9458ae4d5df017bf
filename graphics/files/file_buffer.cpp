#include "files/file_buffer.h"

#include <cstdio>
#include <memory>

#include "files/resources.h"

namespace korvi {

bool FileBuffer::load_file(const char* file_name) {
  release();
  if (!file_name) return false;
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(file_name, "rb"),
                                                             std::fclose);
  if (!file) return false;
  std::uint8_t chunk[64 * 1024];
  std::size_t read = 0;
  while ((read = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
    m_bytes.insert(m_bytes.end(), chunk, chunk + read);
  if (std::ferror(file.get())) release();  // a directory, or a failing device
  return !m_bytes.empty();
}

bool FileBuffer::load_resource(const char* type, const char* name) {
  release();
  if (!type || !name) return false;
  const auto bytes = find_resource(type, name);
  if (!bytes) return false;
  m_bytes.assign(bytes->begin(), bytes->end());
  return !m_bytes.empty();
}

}  // namespace korvi
