// Files embedded into the program at build time by korvi_embed_resources().
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace korvi {

// The bytes of the embedded resource with this type and name (compared without
// regard to ASCII case), or nothing when the program embeds no such resource.
std::optional<std::span<const std::uint8_t>> find_resource(std::string_view type,
                                                           std::string_view name);

// The first embedded resource of a type, or nothing.
std::optional<std::span<const std::uint8_t>> first_resource_of_type(std::string_view type);

}  // namespace korvi
