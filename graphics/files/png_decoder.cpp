#include "files/png_decoder.h"

#include <spng.h>

#include <cstdlib>
#include <memory>
#include <new>

#include "files/picture_codec.h"

namespace korvi {
namespace {

struct ContextDeleter {
  void operator()(spng_ctx* context) const { spng_ctx_free(context); }
};

// The most memory that one optional chunk, and all of them together, may take
// once decompressed (texts, colour profiles): far more than pictures carry, and a
// small compressed chunk that would unpack to gigabytes is refused early.
constexpr std::size_t CHUNK_MEMORY_LIMIT = std::size_t{16} << 20;

}  // namespace

std::optional<window::ArgbPicture> decode_png(std::span<const std::uint8_t> bytes) {
  const std::unique_ptr<spng_ctx, ContextDeleter> context(spng_ctx_new(0));
  spng_ctx* const png = context.get();
  if (!png) throw std::bad_alloc();
  std::size_t size = 0;
  if (spng_set_crc_action(png, SPNG_CRC_ERROR, SPNG_CRC_DISCARD) != 0 ||
      spng_set_image_limits(png, MAX_PICTURE_SIDE, MAX_PICTURE_SIDE) != 0 ||
      spng_set_chunk_limits(png, CHUNK_MEMORY_LIMIT, CHUNK_MEMORY_LIMIT) != 0 ||
      spng_set_png_buffer(png, bytes.data(), bytes.size()) != 0)
    return std::nullopt;
  std::unique_ptr<void, void (*)(void*)> storage(nullptr, [](void* block) { std::free(block); });
  int error = spng_decoded_image_size(png, SPNG_FMT_RGBA8, &size);
  if (error == 0) {
    storage.reset(std::malloc(size));
    if (!storage) throw std::bad_alloc();
    error = spng_decode_image(png, storage.get(), size, SPNG_FMT_RGBA8, SPNG_DECODE_TRNS);
  }
  spng_ihdr header{};
  if (error == 0) error = spng_get_ihdr(png, &header);
  if (error == SPNG_EMEM) throw std::bad_alloc();
  if (error != 0) return std::nullopt;

  // Bytes R, G, B, A become words 0xAARRGGBB, in place.
  auto* const rgba = static_cast<const std::uint8_t*>(storage.get());
  auto* const argb = static_cast<std::uint32_t*>(storage.get());
  const std::size_t count = size / 4;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* p = rgba + 4 * i;
    argb[i] = std::uint32_t{p[3]} << 24 | std::uint32_t{p[0]} << 16 | std::uint32_t{p[1]} << 8 | p[2];
  }
  window::ArgbPicture picture;
  picture.width = static_cast<int>(header.width);
  picture.height = static_cast<int>(header.height);
  picture.pixels = {argb, count};
  picture.storage = std::move(storage);
  return picture;
}

}  // namespace korvi
