# Installs the graphics library: the public headers, the static archive (and, with
# BUILD_SHARED_LIBS, the shared library), a pkg-config file and a CMake package.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(korvi_package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/korvi)
set(korvi_pc_dir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
# The prefix as seen from where each file is installed, so the copy can move.
file(RELATIVE_PATH KORVI_CONFIG_PREFIX /prefix/${korvi_package_dir} /prefix)
file(RELATIVE_PATH KORVI_PC_PREFIX /prefix/${korvi_pc_dir} /prefix)
set(KORVI_SOVERSION ${PROJECT_VERSION_MAJOR})

configure_file(${CMAKE_CURRENT_LIST_DIR}/korvi.pc.in ${PROJECT_BINARY_DIR}/korvi.pc @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/korviConfig.cmake.in
               ${PROJECT_BINARY_DIR}/korviConfig.cmake @ONLY)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/korviConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)

# The archive holds the objects of every object library linked into korvi (raster
# core, fonts, window backend, input box, terminal state): it is complete on its own.
install(TARGETS korvi ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
if(BUILD_SHARED_LIBS)
  install(TARGETS korvi_shared LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
endif()
install(FILES ${PROJECT_SOURCE_DIR}/graphics/include/korvi/graphics.h
              ${PROJECT_SOURCE_DIR}/graphics/include/korvi/types.h
              ${PROJECT_SOURCE_DIR}/graphics/include/korvi/embedded_resource.h
              ${PROJECT_BINARY_DIR}/include/korvi/version.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/korvi)
install(FILES ${PROJECT_BINARY_DIR}/korvi.pc DESTINATION ${korvi_pc_dir})
install(FILES ${PROJECT_BINARY_DIR}/korviConfig.cmake
              ${PROJECT_BINARY_DIR}/korviConfigVersion.cmake
              ${CMAKE_CURRENT_LIST_DIR}/KorviResources.cmake
        DESTINATION ${korvi_package_dir})
