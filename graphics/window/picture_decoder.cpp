#include "picture_decoder.h"

#include <cstdint>
#include <cstring>
#include <memory>

#include "sdl_api.h"

namespace korvi::window {
namespace {

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const { sdl()->SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

}  // namespace

std::optional<DecodedPicture> decode_with_picture_library(std::span<const std::uint8_t> bytes) {
  const SdlApi* api = sdl();
  if (!api || bytes.empty() || bytes.size() > static_cast<std::size_t>(INT32_MAX))
    return std::nullopt;
  SDL_RWops* stream = api->SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (!stream) return std::nullopt;
  SurfacePtr decoded(api->IMG_Load_RW(stream, 1));
  if (!decoded) return std::nullopt;
  SurfacePtr argb(api->SDL_ConvertSurfaceFormat(decoded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
  if (!argb || argb->w <= 0 || argb->h <= 0) return std::nullopt;

  DecodedPicture picture;
  picture.width = argb->w;
  picture.height = argb->h;
  picture.pixels.resize(static_cast<std::size_t>(argb->w) * static_cast<std::size_t>(argb->h));
  const auto* source = static_cast<const std::uint8_t*>(argb->pixels);
  const std::size_t row_bytes = static_cast<std::size_t>(argb->w) * sizeof(std::uint32_t);
  for (int y = 0; y < argb->h; ++y)
    std::memcpy(
        picture.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(argb->w),
        source + static_cast<std::size_t>(y) * static_cast<std::size_t>(argb->pitch), row_bytes);
  return picture;
}

}  // namespace korvi::window
