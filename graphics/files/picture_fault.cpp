#include "files/picture_fault.h"

#include "files/file_buffer.h"
#include "files/picture_codec.h"
#include "window/picture_decoder.h"

namespace korvi {
namespace {

std::string limits() {
  return " (at most " + std::to_string(MAX_PICTURE_SIDE) + " pixels a side and " +
         std::to_string(MAX_PICTURE_BYTES >> 20) + " MB of pixels)";
}

}  // namespace

std::string describe(PictureFault fault) {
  switch (fault) {
    case PictureFault::none: return "no fault";
    case PictureFault::not_found: return "not found";
    case PictureFault::no_permission: return "permission denied";
    case PictureFault::not_regular_file: return "not a regular file";
    case PictureFault::file_too_large:
      return "too large (over " + std::to_string(MAX_FILE_BYTES >> 20) + " MB)";
    case PictureFault::read_failed: return "cannot be read";
    case PictureFault::empty: return "empty";
    case PictureFault::not_a_picture: return "not a picture the library reads, or damaged";
    case PictureFault::picture_too_large: return "the picture is too large" + limits();
    case PictureFault::size_too_large: return "the size asked is too large" + limits();
    case PictureFault::no_picture_library: {
      const char* reason = window::picture_library_error();
      return std::string("the picture library cannot be loaded (") +
             (reason ? reason : "unknown reason") + ")";
    }
    case PictureFault::out_of_memory: return "out of memory";
  }
  return "unknown fault";
}

}  // namespace korvi
