# The web build (KORVI_WEB): WebAssembly through emscripten, configured with
# `emcmake cmake`, against the libraries scripts/web builds from Debian's sources
# into KORVI_WEB_PREFIX: the library with its windowing backend on the page's
# canvases (graphics/web), the examples and the calculator as pages (web/), the
# raster core's tests, which run under node.
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

# FreeType, built by scripts/web with zlib and without its other optional libraries
# (the faces we carry need none of them).
find_path(KORVI_WEB_FREETYPE_INCLUDE ft2build.h
          PATHS ${KORVI_WEB_PREFIX}/include/freetype2 NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
find_library(KORVI_WEB_FREETYPE_LIBRARY freetype
             PATHS ${KORVI_WEB_PREFIX}/lib NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT KORVI_WEB_FREETYPE_INCLUDE OR NOT KORVI_WEB_FREETYPE_LIBRARY)
  message(FATAL_ERROR "FreeType for the web is not in ${KORVI_WEB_PREFIX}: run scripts/web")
endif()
add_library(korvi_web_freetype INTERFACE IMPORTED)
target_include_directories(korvi_web_freetype INTERFACE ${KORVI_WEB_FREETYPE_INCLUDE})
find_library(KORVI_WEB_ZLIB_LIBRARY z PATHS ${KORVI_WEB_PREFIX}/lib NO_DEFAULT_PATH
             NO_CMAKE_FIND_ROOT_PATH REQUIRED)
target_link_libraries(korvi_web_freetype INTERFACE ${KORVI_WEB_FREETYPE_LIBRARY}
                                                   ${KORVI_WEB_ZLIB_LIBRARY})

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

# The picture libraries scripts/web built: SDL2_image on SDL2 (its surfaces and
# streams only: the page has no SDL windows) with libjpeg-turbo and libpng, and
# libspng.
set(korvi_web_sdl_libraries)
foreach(name SDL2_image jpeg png16 z SDL2)
  find_library(KORVI_WEB_LIB_${name} ${name} PATHS ${KORVI_WEB_PREFIX}/lib
               NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT KORVI_WEB_LIB_${name})
    message(FATAL_ERROR "lib${name} for the web is not in ${KORVI_WEB_PREFIX}: run scripts/web")
  endif()
  list(APPEND korvi_web_sdl_libraries ${KORVI_WEB_LIB_${name}})
endforeach()
add_library(korvi_web_sdl INTERFACE IMPORTED)
target_include_directories(korvi_web_sdl SYSTEM INTERFACE ${KORVI_WEB_PREFIX}/include/SDL2)
target_link_libraries(korvi_web_sdl INTERFACE ${korvi_web_sdl_libraries})

find_library(KORVI_WEB_SPNG_LIBRARY spng_static PATHS ${KORVI_WEB_PREFIX}/lib
             NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT KORVI_WEB_SPNG_LIBRARY)
  message(FATAL_ERROR "libspng for the web is not in ${KORVI_WEB_PREFIX}: run scripts/web")
endif()
add_library(korvi_web_spng INTERFACE IMPORTED)
target_include_directories(korvi_web_spng SYSTEM INTERFACE ${KORVI_WEB_PREFIX}/include)
target_compile_definitions(korvi_web_spng INTERFACE SPNG_STATIC)
target_link_libraries(korvi_web_spng INTERFACE ${KORVI_WEB_SPNG_LIBRARY} ${KORVI_WEB_LIB_z})

# korvi_web_program(target): a program of the library made to run in a page. It waits
# (for keys, the mouse, an input box) by giving the browser its turns, which
# ASYNCIFY allows; it loads the fonts; the page runs its main() with the arguments it
# chooses, and learns when it ends (EXIT_RUNTIME). The page sets Module before it
# loads <target>.js.
# ASYNCIFY must follow indirect calls (the program's calls inside try blocks go
# through them), but the raster core and the libraries below never wait, so they are
# left as they are. The link optimises at -O1: at -O2 the optimiser takes a minute
# per program over the instrumented code, for a .wasm 2.4 times smaller.
set(KORVI_WEB_NEVER_WAITS "korvi::raster::*" "FT_*" "ft_*" "tt_*" "cff_*" "af_*" "ps_*"
    "t1_*" "gray_*" "png_*" "spng_*" "jpeg_*" "SDL_*" "IMG_*" "inflate*" "deflate*")
list(JOIN KORVI_WEB_NEVER_WAITS "\",\"" never_waits)
set(KORVI_WEB_LINK_OPTIMISATION -O1 CACHE STRING "The optimisation of the pages' link (-O1, -O2, -Os)")
function(korvi_web_program target)
  korvi_web_use_fonts(${target})
  target_link_options(${target} PRIVATE ${KORVI_WEB_LINK_OPTIMISATION}
    -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536 "-sASYNCIFY_REMOVE=[\"${never_waits}\"]"
    -sEXIT_RUNTIME=1 -sINVOKE_RUN=0 -sENVIRONMENT=web
    "-sEXPORTED_RUNTIME_METHODS=[callMain,FS]")
endfunction()
