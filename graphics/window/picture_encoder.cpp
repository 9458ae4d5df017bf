#include "picture_encoder.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "sdl_api.h"

namespace korvi::window {
namespace {

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const { sdl()->SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// The file the writer produces, grown as it writes; a stream over it that can seek.
struct GrowingFile {
  std::vector<std::uint8_t> bytes;
  std::size_t position = 0;
  bool failed = false;  // out of memory while growing
};

GrowingFile& file_of(SDL_RWops* stream) {
  return *static_cast<GrowingFile*>(stream->hidden.unknown.data1);
}

Sint64 file_size(SDL_RWops* stream) { return static_cast<Sint64>(file_of(stream).bytes.size()); }

Sint64 file_seek(SDL_RWops* stream, Sint64 offset, int whence) {
  GrowingFile& file = file_of(stream);
  const Sint64 base = whence == RW_SEEK_SET   ? 0
                      : whence == RW_SEEK_CUR ? static_cast<Sint64>(file.position)
                                              : static_cast<Sint64>(file.bytes.size());
  if (offset < -base) return -1;
  file.position = static_cast<std::size_t>(base + offset);
  return static_cast<Sint64>(file.position);
}

size_t file_read(SDL_RWops* stream, void* out, size_t size, size_t count) {
  GrowingFile& file = file_of(stream);
  if (size == 0 || file.position >= file.bytes.size()) return 0;
  const size_t whole = std::min(count, (file.bytes.size() - file.position) / size);
  std::memcpy(out, file.bytes.data() + file.position, whole * size);
  file.position += whole * size;
  return whole;
}

size_t file_write(SDL_RWops* stream, const void* in, size_t size, size_t count) {
  GrowingFile& file = file_of(stream);
  if (size == 0 || count == 0) return count;
  if (count > (SIZE_MAX - file.position) / size) return 0;
  const size_t length = size * count;
  try {
    if (file.bytes.size() < file.position + length) file.bytes.resize(file.position + length);
  } catch (const std::bad_alloc&) {
    file.failed = true;
    return 0;
  }
  std::memcpy(file.bytes.data() + file.position, in, length);
  file.position += length;
  return count;
}

// The stream is freed by its owner below, never by the writer.
int file_close(SDL_RWops*) { return 0; }

struct StreamDeleter {
  void operator()(SDL_RWops* stream) const { sdl()->SDL_FreeRW(stream); }
};

}  // namespace

std::optional<std::vector<std::uint8_t>> encode_png_with_picture_library(
    const std::uint32_t* pixels, int width, int height) {
  const SdlApi* api = sdl();
  if (!api || !pixels || width <= 0 || height <= 0 || width > INT32_MAX / 4) return std::nullopt;
  // The library reads the pixels only; the surface merely borrows them.
  SurfacePtr surface(api->SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<std::uint32_t*>(pixels), width, height, 32, width * 4, SDL_PIXELFORMAT_RGB888));
  if (!surface) return std::nullopt;

  GrowingFile file;
  const std::unique_ptr<SDL_RWops, StreamDeleter> stream(api->SDL_AllocRW());
  if (!stream) return std::nullopt;
  stream->type = SDL_RWOPS_UNKNOWN;
  stream->size = file_size;
  stream->seek = file_seek;
  stream->read = file_read;
  stream->write = file_write;
  stream->close = file_close;
  stream->hidden.unknown.data1 = &file;
  if (api->IMG_SavePNG_RW(surface.get(), stream.get(), 0) != 0 || file.failed) return std::nullopt;
  return std::move(file.bytes);
}

}  // namespace korvi::window
