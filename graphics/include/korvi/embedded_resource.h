// The table of files embedded into a program by the CMake function
// korvi_embed_resources(). Only the source that function generates includes this
// header; programs load the files with load_image_resource() of <korvi/graphics.h>.
#pragma once

#include <korvi/export.h>

#include <cstddef>

namespace korvi {

// One embedded file: its type and name (compared without regard to ASCII case) and
// its bytes [begin, end).
struct EmbeddedResource {
  const char* type;
  const char* name;
  const unsigned char* begin;
  const unsigned char* end;
};

}  // namespace korvi

// The program's embedded files, *count of them. Defined by the generated source; a
// program that embeds nothing has no such function. The library looks it up in the
// program, also when the library is a shared one: it keeps the default visibility.
extern "C" KORVI_API const korvi::EmbeddedResource* korvi_embedded_resources(
    std::size_t* count);
