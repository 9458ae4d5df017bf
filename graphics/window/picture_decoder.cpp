#include "picture_decoder.h"

#include <cstring>

#include "sdl_api.h"

namespace korvi::window {
namespace {

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const { sdl()->SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

struct StreamCloser {
  void operator()(SDL_RWops* stream) const { stream->close(stream); }
};

// The format's own reader; a drawing is drawn to fit in width x height.
SDL_Surface* read(const SdlApi& api, SDL_RWops* stream, PictureFormat format, int width,
                  int height) {
  switch (format) {
    case PictureFormat::bmp: return api.IMG_LoadBMP_RW(stream);
    case PictureFormat::gif: return api.IMG_LoadGIF_RW(stream);
    case PictureFormat::png: return nullptr;  // read by libspng (files/png_decoder.h)
    case PictureFormat::jpeg: return api.IMG_LoadJPG_RW(stream);
    case PictureFormat::ico: return api.IMG_LoadICO_RW(stream);
    case PictureFormat::cur: return api.IMG_LoadCUR_RW(stream);
    case PictureFormat::webp: return api.IMG_LoadWEBP_RW(stream);
    case PictureFormat::tiff: return api.IMG_LoadTIF_RW(stream);
    case PictureFormat::qoi: return api.IMG_LoadQOI_RW(stream);
    case PictureFormat::pnm: return api.IMG_LoadPNM_RW(stream);
    case PictureFormat::pcx: return api.IMG_LoadPCX_RW(stream);
    case PictureFormat::lbm: return api.IMG_LoadLBM_RW(stream);
    case PictureFormat::svg: return api.IMG_LoadSizedSVG_RW(stream, width, height);
  }
  return nullptr;
}

void free_surface(void* surface) { sdl()->SDL_FreeSurface(static_cast<SDL_Surface*>(surface)); }

}  // namespace

const char* picture_library_error() { return sdl() ? nullptr : sdl_load_error(); }

std::optional<ArgbPicture> decode_with_picture_library(std::vector<std::uint8_t> bytes,
                                                       PictureFormat format, int header_width,
                                                       int header_height) {
  const SdlApi* api = sdl();
  if (!api || bytes.empty() || bytes.size() > static_cast<std::size_t>(INT32_MAX))
    return std::nullopt;
  SurfacePtr decoded;
  {
    const std::unique_ptr<SDL_RWops, StreamCloser> stream(
        api->SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())));
    if (!stream) return std::nullopt;
    decoded.reset(read(*api, stream.get(), format, header_width, header_height));
  }
  std::vector<std::uint8_t>().swap(bytes);
  if (!decoded || decoded->w <= 0 || decoded->h <= 0) return std::nullopt;

  // Pixels already in the wanted form are kept as they are; the rest are converted
  // (a colour key becomes transparent pixels) and the decoder's copy freed.
  SurfacePtr argb;
  if (decoded->format->format == SDL_PIXELFORMAT_ARGB8888 && !SDL_MUSTLOCK(decoded) &&
      !api->SDL_HasColorKey(decoded.get())) {
    argb = std::move(decoded);
  } else {
    argb.reset(api->SDL_ConvertSurfaceFormat(decoded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    decoded.reset();
  }
  if (!argb) return std::nullopt;

  // Rows are packed in place (a pitch is never below the row's size).
  const int width = argb->w, height = argb->h;
  auto* base = static_cast<std::uint8_t*>(argb->pixels);
  const std::size_t row_bytes = static_cast<std::size_t>(width) * sizeof(std::uint32_t);
  if (static_cast<std::size_t>(argb->pitch) != row_bytes)
    for (int y = 1; y < height; ++y)
      std::memmove(base + static_cast<std::size_t>(y) * row_bytes,
                   base + static_cast<std::size_t>(y) * static_cast<std::size_t>(argb->pitch),
                   row_bytes);

  ArgbPicture picture;
  picture.width = width;
  picture.height = height;
  picture.pixels = {reinterpret_cast<std::uint32_t*>(base),
                    static_cast<std::size_t>(width) * static_cast<std::size_t>(height)};
  picture.storage = {argb.release(), free_surface};
  return picture;
}

}  // namespace korvi::window
