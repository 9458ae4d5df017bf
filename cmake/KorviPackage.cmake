# cpack -G DEB makes Debian packages of what cmake --install installs, one for each
# install component:
#   libkorvi0     (component library)      the shared library libkorvi.so.0
#   libkorvi-dev  (component development)  the headers, the static archive, the
#                 libkorvi.so link, korvi.pc and the CMake package
#   korvi-calc    (component calculator)   the calculator and its manual page
# each with /usr/share/doc/<package>/copyright and changelog.Debian.gz from
# cmake/debian/. The build needs BUILD_SHARED_LIBS for libkorvi0 (without it only
# the other two are made) and CMAKE_INSTALL_PREFIX=/usr for Debian's library folder.
include(GNUInstallDirs)

# The package version is the top entry of the Debian changelog: the project's
# version and a Debian revision.
set(korvi_debian_dir ${CMAKE_CURRENT_LIST_DIR}/debian)
file(STRINGS ${korvi_debian_dir}/changelog korvi_changelog_top LIMIT_COUNT 1)
if(NOT korvi_changelog_top MATCHES "^korvi \\(([^-]+)-([0-9]+)\\) ")
  message(FATAL_ERROR "cmake/debian/changelog: the top line is not \"korvi (<version>-<revision>) ...\"")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "cmake/debian/changelog: its top entry is for ${CMAKE_MATCH_1}, "
                      "the project is ${PROJECT_VERSION}: add an entry")
endif()
set(CPACK_DEBIAN_PACKAGE_RELEASE ${CMAKE_MATCH_2})
set(korvi_package_version ${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})

# Every package's documentation folder: the copyright file and the changelog,
# compressed as Debian wants (best compression, no name or time stamp); and its
# lintian overrides. Only the packages install them, not a plain cmake --install.
set(korvi_changelog_gz ${PROJECT_BINARY_DIR}/debian/changelog.Debian.gz)
add_custom_command(OUTPUT ${korvi_changelog_gz}
  COMMAND ${CMAKE_COMMAND} -E copy ${korvi_debian_dir}/changelog ${PROJECT_BINARY_DIR}/debian/changelog.Debian
  COMMAND gzip -9nf ${PROJECT_BINARY_DIR}/debian/changelog.Debian
  DEPENDS ${korvi_debian_dir}/changelog
  VERBATIM)
add_custom_target(korvi_debian_changelog ALL DEPENDS ${korvi_changelog_gz})

set(korvi_package_of_library libkorvi0)
set(korvi_package_of_development libkorvi-dev)
set(korvi_package_of_calculator korvi-calc)
set(CPACK_COMPONENTS_ALL development calculator)
if(BUILD_SHARED_LIBS)
  list(PREPEND CPACK_COMPONENTS_ALL library)
endif()
foreach(component IN LISTS CPACK_COMPONENTS_ALL)
  set(package ${korvi_package_of_${component}})
  install(FILES ${korvi_debian_dir}/copyright ${korvi_changelog_gz}
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package}
          COMPONENT ${component} EXCLUDE_FROM_ALL)
  install(FILES ${korvi_debian_dir}/lintian-overrides
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME ${package}
          COMPONENT ${component} EXCLUDE_FROM_ALL)
  string(TOUPPER ${component} upper)
  set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${package})
endforeach()

set(CPACK_PACKAGE_NAME korvi)
set(CPACK_PACKAGE_VENDOR "korvi developers")
set(CPACK_PACKAGE_CONTACT "korvi developers <korvi@example.org>")
# CPack puts any summary but its default before each package's description; each
# package here has its own first line.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_PROJECT_NAME} built using CMake")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# Strips the shared library and the program; the archive loses its debugging
# sections (see KorviInstall.cmake and console/).
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(korvi_about_library
    "korvi is a flat C++ drawing library for beginners: it draws shapes, text and
picture files into a window or into off-screen images, and reads keys, mouse
messages and an input box. The window and picture loading use SDL2 and
SDL2_image, which are opened when the first window or picture needs them.")
# The fonts the library maps its face names to; SDL2 for windows and pictures.
set(korvi_recommends
    "libsdl2-2.0-0, libsdl2-image-2.0-0, fonts-dejavu-core, fonts-liberation2, fonts-wqy-microhei")

# libkorvi0: an ldconfig trigger and a shlibs file of our own. Its Depends come
# from dpkg-shlibdeps, run by KorviLibraryDepends.cmake when cpack starts: CPack's
# own run would add maintainer scripts that call ldconfig.
set(CPACK_DEBIAN_LIBRARY_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_RECOMMENDS "${korvi_recommends}")
set(CPACK_DEBIAN_LIBRARY_DESCRIPTION "flat 2D drawing library for beginners - shared library
${korvi_about_library}

This package contains the shared library.")
if(BUILD_SHARED_LIBS)
  file(WRITE ${PROJECT_BINARY_DIR}/debian/library/shlibs
       "libkorvi ${PROJECT_VERSION_MAJOR} libkorvi0 (>= ${PROJECT_VERSION})\n")
  set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_EXTRA
      ${PROJECT_BINARY_DIR}/debian/library/shlibs ${korvi_debian_dir}/triggers)
  file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/debian/CPackProjectConfig.cmake CONTENT
       "set(KORVI_SHARED_LIBRARY \"$<TARGET_FILE:korvi_shared>\")
include(\"${CMAKE_CURRENT_LIST_DIR}/KorviLibraryDepends.cmake\")\n")
  set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/debian/CPackProjectConfig.cmake)
endif()

# libkorvi-dev: what programs build with; the static archive needs FreeType,
# fontconfig and libspng (korvi.pc's Requires.private).
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "libfreetype-dev, libfontconfig-dev, libspng-dev")
if(BUILD_SHARED_LIBS)
  string(PREPEND CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "libkorvi0 (= ${korvi_package_version}), ")
endif()
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_RECOMMENDS "pkg-config")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SUGGESTS "cmake")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION "flat 2D drawing library for beginners - development files
${korvi_about_library}

This package contains the headers, the static library, the pkg-config file
korvi.pc and the CMake package: find_package(korvi) gives the target
korvi::korvi and korvi_embed_resources(), which embeds files into a program.")

# korvi-calc: linked with the static archive; dpkg-shlibdeps finds its Depends.
set(CPACK_DEBIAN_CALCULATOR_PACKAGE_SECTION math)
set(CPACK_DEBIAN_CALCULATOR_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_CALCULATOR_PACKAGE_RECOMMENDS "${korvi_recommends}")
set(CPACK_DEBIAN_CALCULATOR_DESCRIPTION "calculator with a function plotter
korvi-calc evaluates expressions typed at a >> prompt: numbers, pi, the four
operations, powers, remainders and the common functions. It records every line
and every result in two files of the working directory, and plots functions of
x in a graphics window.")

include(CPack)
