# Installs the graphics library: the public headers, the static archive (and, with
# BUILD_SHARED_LIBS, the shared library), a pkg-config file and a CMake package.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(korvi_package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/korvi)
set(korvi_pc_dir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
# The prefix as seen from where each file is installed, so the copy can move.
file(RELATIVE_PATH KORVI_CONFIG_PREFIX /prefix/${korvi_package_dir} /prefix)
file(RELATIVE_PATH korvi_pc_to_prefix /prefix/${korvi_pc_dir} /prefix)
set(KORVI_SOVERSION ${PROJECT_VERSION_MAJOR})

# korvi.pc comes in two forms: one that names /usr, for an install there (a Debian
# package), so that pkg-config sees its system folders and leaves them out of the
# flags; and one that finds the prefix from its own place, for any other prefix.
set(KORVI_PC_PREFIX "\${pcfiledir}/${korvi_pc_to_prefix}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/korvi.pc.in ${PROJECT_BINARY_DIR}/korvi.pc @ONLY)
set(KORVI_PC_PREFIX /usr)
configure_file(${CMAKE_CURRENT_LIST_DIR}/korvi.pc.in ${PROJECT_BINARY_DIR}/usr/korvi.pc @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/korviConfig.cmake.in
               ${PROJECT_BINARY_DIR}/korviConfig.cmake @ONLY)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/korviConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)

# Install components, one for each Debian package (KorviPackage.cmake): library
# (the shared library), development (everything a program is built with) and
# calculator (console/).
# The archive holds the objects of every object library linked into korvi (raster
# core, fonts, window backend, input box, terminal state): it is complete on its own.
install(TARGETS korvi ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development)
# A stripped install (cmake --install --strip, cpack) strips the shared library and
# the program; the archive keeps its symbols and loses its debugging sections and
# the compilers' comments.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-debug --remove-section=.comment
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/$<TARGET_FILE_NAME:korvi>\"
      COMMAND_ERROR_IS_FATAL ANY)
  endif()" COMPONENT development)
if(BUILD_SHARED_LIBS)
  install(TARGETS korvi_shared LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
          COMPONENT library NAMELINK_COMPONENT development)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/graphics/include/korvi/graphics.h
              ${PROJECT_SOURCE_DIR}/graphics/include/korvi/types.h
              ${PROJECT_SOURCE_DIR}/graphics/include/korvi/export.h
              ${PROJECT_SOURCE_DIR}/graphics/include/korvi/embedded_resource.h
              ${PROJECT_BINARY_DIR}/include/korvi/version.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/korvi COMPONENT development)
install(CODE "
  set(korvi_pc \"${PROJECT_BINARY_DIR}/korvi.pc\")
  if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
    set(korvi_pc \"${PROJECT_BINARY_DIR}/usr/korvi.pc\")
  endif()
  file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${korvi_pc_dir}\" TYPE FILE FILES \"\${korvi_pc}\")
  " COMPONENT development)
install(FILES ${PROJECT_BINARY_DIR}/korviConfig.cmake
              ${PROJECT_BINARY_DIR}/korviConfigVersion.cmake
              ${CMAKE_CURRENT_LIST_DIR}/KorviResources.cmake
        DESTINATION ${korvi_package_dir} COMPONENT development)
