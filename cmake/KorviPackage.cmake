# cpack -G DEB (in a build tree) makes one Debian package of what cmake --install
# installs: the calculator, the headers, the static archive and, in a build with
# BUILD_SHARED_LIBS, the shared library, the pkg-config file and the CMake package.
set(CPACK_PACKAGE_NAME korvi)
set(CPACK_PACKAGE_VENDOR "The korvi developers")
set(CPACK_PACKAGE_CONTACT "The korvi developers <korvi@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "korvi-calc evaluates expressions typed at a >> prompt and plots functions of x.
The korvi library (<korvi/graphics.h>) draws into a window or off-screen images:
shapes, text, picture files, mouse messages and an input box.")
# Run-time libraries linked by the program and the shared library; the static
# archive's pkg-config file needs FreeType's, fontconfig's and libspng's. SDL2 and SDL2_image
# are opened when the first window or picture needs them, so they are recommended.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6 (>= 2.34), libstdc++6 (>= 12), libgcc-s1, libfreetype6, libfontconfig1, libedit2, libspng0, libfreetype-dev, libfontconfig-dev, libspng-dev")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "libsdl2-2.0-0, libsdl2-image-2.0-0, fonts-dejavu-core, fonts-liberation2, fonts-wqy-microhei, pkg-config")
# A shlibs file for packages built against the shared library; ldconfig runs on
# installation and removal.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_GENERATOR DEB)
include(CPack)
