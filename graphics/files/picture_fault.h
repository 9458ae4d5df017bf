// Why a picture could not be loaded: the reason in the one line that a failed
// load writes to standard error.
#pragma once

#include <string>

namespace korvi {

enum class PictureFault {
  none,
  not_found,           // no such file, or no such embedded resource
  no_permission,       // the file may not be read
  not_regular_file,    // a directory, a device, a pipe
  file_too_large,      // over MAX_FILE_BYTES
  read_failed,         // any other error opening or reading the file
  empty,               // no bytes at all
  not_a_picture,       // no format the library reads, or a picture cut short or damaged
  picture_too_large,   // beyond the limits of picture_codec.h
  size_too_large,      // the size asked is beyond those limits
  no_picture_library,  // the picture library for this format cannot be loaded
  out_of_memory,
};

// The reason in words, such as "not found".
std::string describe(PictureFault fault);

// Stores the reason where the caller asked for it (fault not null); false, for a
// function that fails with it.
inline bool fail_with(PictureFault* fault, PictureFault why) {
  if (fault) *fault = why;
  return false;
}

}  // namespace korvi
