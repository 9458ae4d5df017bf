#include "file_buffer.h"

#include <fstream>
#include <iterator>

#include "resources.h"

namespace korvi {

bool FileBuffer::load_file(const char* file_name) {
  release();
  if (!file_name) return false;
  std::ifstream file(file_name, std::ios::binary);
  if (!file) return false;
  m_bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  if (file.bad()) {
    release();
    return false;
  }
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
