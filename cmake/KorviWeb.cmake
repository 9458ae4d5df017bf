# The web build (KORVI_WEB): WebAssembly through emscripten, configured with
# `emcmake cmake`, against the libraries scripts/web builds from Debian's sources
# into KORVI_WEB_PREFIX. For now the raster core (fonts included) and its tests,
# which run under node.
if(NOT EMSCRIPTEN)
  message(FATAL_ERROR "KORVI_WEB needs emscripten's toolchain: configure with emcmake cmake")
endif()

set(KORVI_WEB_PREFIX "${PROJECT_SOURCE_DIR}/build-web/deps/prefix" CACHE PATH
    "Where scripts/web installed the libraries built for the web")

# The library throws and catches C++ exceptions. -msse2 selects the raster core's
# SSE2 row loops, which emscripten maps onto WebAssembly SIMD (-msimd128).
add_compile_options(-fexceptions -msimd128 -msse2)
add_link_options(-fexceptions -sALLOW_MEMORY_GROWTH=1)

# Emscripten's linker runs node programs that need Debian's module folder, which a
# node from elsewhere does not search.
if(EXISTS /usr/share/nodejs)
  set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env --modify NODE_PATH=path_list_prepend:/usr/share/nodejs)
endif()

# Programs run under node, without its fetch: emscripten 3.1.6 would take it for the
# browser's and fail to load the .wasm from a path.
find_program(KORVI_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${KORVI_NODE} --no-experimental-fetch)

# FreeType, built by scripts/web without its optional libraries (the faces we carry
# need none of them).
find_path(KORVI_WEB_FREETYPE_INCLUDE ft2build.h
          PATHS ${KORVI_WEB_PREFIX}/include/freetype2 NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
find_library(KORVI_WEB_FREETYPE_LIBRARY freetype
             PATHS ${KORVI_WEB_PREFIX}/lib NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT KORVI_WEB_FREETYPE_INCLUDE OR NOT KORVI_WEB_FREETYPE_LIBRARY)
  message(FATAL_ERROR "FreeType for the web is not in ${KORVI_WEB_PREFIX}: run scripts/web")
endif()
add_library(korvi_web_freetype INTERFACE IMPORTED)
target_include_directories(korvi_web_freetype INTERFACE ${KORVI_WEB_FREETYPE_INCLUDE})
target_link_libraries(korvi_web_freetype INTERFACE ${KORVI_WEB_FREETYPE_LIBRARY})

# The font files a page carries: those of the table in graphics/raster/font/
# embedded_faces.cpp, at their installed paths, in one package (fonts.data, loaded by
# fonts.js) that every program shares, so that a browser fetches it once.
set(KORVI_WEB_FONT_FILES
  /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf
  /usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf
  /usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf
  /usr/share/fonts/truetype/liberation2/LiberationSans-Italic.ttf
  /usr/share/fonts/truetype/liberation2/LiberationSans-BoldItalic.ttf
  /usr/share/fonts/truetype/liberation2/LiberationSerif-Regular.ttf
  /usr/share/fonts/truetype/liberation2/LiberationSerif-Bold.ttf
  /usr/share/fonts/truetype/liberation2/LiberationSerif-Italic.ttf
  /usr/share/fonts/truetype/liberation2/LiberationSerif-BoldItalic.ttf
  /usr/share/fonts/truetype/liberation2/LiberationMono-Regular.ttf
  /usr/share/fonts/truetype/liberation2/LiberationMono-Bold.ttf
  /usr/share/fonts/truetype/liberation2/LiberationMono-Italic.ttf
  /usr/share/fonts/truetype/liberation2/LiberationMono-BoldItalic.ttf
  /usr/share/fonts/truetype/wqy/wqy-microhei.ttc)
set(korvi_font_preloads)
foreach(file IN LISTS KORVI_WEB_FONT_FILES)
  if(NOT EXISTS ${file})
    message(FATAL_ERROR "${file} is missing: scripts/setup installs the font packages")
  endif()
  list(APPEND korvi_font_preloads "${file}@${file}")
endforeach()
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/fonts.data ${CMAKE_BINARY_DIR}/fonts.js
  COMMAND ${Python3_EXECUTABLE} ${EMSCRIPTEN_ROOT_PATH}/tools/file_packager.py fonts.data
          --preload ${korvi_font_preloads} --js-output=fonts.js
  DEPENDS ${KORVI_WEB_FONT_FILES}
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  COMMENT "Packing the fonts pages carry")
add_custom_target(korvi_web_fonts DEPENDS ${CMAKE_BINARY_DIR}/fonts.data)

# korvi_web_use_fonts(target): the program loads the font package when it starts
# (from fonts.data in its working directory or beside its page).
function(korvi_web_use_fonts target)
  add_dependencies(${target} korvi_web_fonts)
  target_link_options(${target} PRIVATE "SHELL:--pre-js ${CMAKE_BINARY_DIR}/fonts.js"
                                        -sFORCE_FILESYSTEM=1)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${CMAKE_BINARY_DIR}/fonts.js)
endfunction()
