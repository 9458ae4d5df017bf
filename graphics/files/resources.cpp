#include "files/resources.h"

#include <korvi/embedded_resource.h>

#include <algorithm>
#include <cstddef>

// Weak: absent (null) in programs that embed nothing.
extern "C" const korvi::EmbeddedResource* korvi_embedded_resources(std::size_t* count)
    __attribute__((weak));

namespace korvi {
namespace {

bool equal_ignoring_case(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char x, char y) { return lower(x) == lower(y); });
}

std::span<const EmbeddedResource> embedded_resources() {
  if (!korvi_embedded_resources) return {};
  std::size_t count = 0;
  const EmbeddedResource* table = korvi_embedded_resources(&count);
  return {table, count};
}

std::span<const std::uint8_t> bytes_of(const EmbeddedResource& resource) {
  return {resource.begin, static_cast<std::size_t>(resource.end - resource.begin)};
}

}  // namespace

std::optional<std::span<const std::uint8_t>> find_resource(std::string_view type,
                                                           std::string_view name) {
  for (const EmbeddedResource& resource : embedded_resources())
    if (equal_ignoring_case(resource.type, type) && equal_ignoring_case(resource.name, name))
      return bytes_of(resource);
  return std::nullopt;
}

std::optional<std::span<const std::uint8_t>> first_resource_of_type(std::string_view type) {
  for (const EmbeddedResource& resource : embedded_resources())
    if (equal_ignoring_case(resource.type, type)) return bytes_of(resource);
  return std::nullopt;
}

}  // namespace korvi
