# Read by cpack before it makes the packages (the generated CPackProjectConfig.cmake
# includes it, with KORVI_SHARED_LIBRARY set to the built shared library): libkorvi0
# depends on the packages dpkg-shlibdeps finds for the libraries it links.
if(NOT CPACK_GENERATOR STREQUAL "DEB" OR DEFINED CPACK_DEBIAN_LIBRARY_PACKAGE_DEPENDS)
  return()
endif()
# dpkg-shlibdeps reads debian/control from its working folder; an empty one does.
set(_korvi_work "${CPACK_PACKAGE_DIRECTORY}/_CPack_Packages/korvi-shlibdeps")
file(WRITE "${_korvi_work}/debian/control" "")
execute_process(COMMAND dpkg-shlibdeps -O "${KORVI_SHARED_LIBRARY}"
                WORKING_DIRECTORY "${_korvi_work}"
                OUTPUT_VARIABLE _korvi_shlibdeps
                ERROR_VARIABLE _korvi_shlibdeps_error
                RESULT_VARIABLE _korvi_shlibdeps_result)
file(REMOVE_RECURSE "${_korvi_work}")
if(NOT _korvi_shlibdeps_result EQUAL 0 OR NOT _korvi_shlibdeps MATCHES "shlibs:Depends=([^\n]+)")
  message(FATAL_ERROR "libkorvi0: dpkg-shlibdeps on ${KORVI_SHARED_LIBRARY} failed: "
                      "${_korvi_shlibdeps_error}")
endif()
set(CPACK_DEBIAN_LIBRARY_PACKAGE_DEPENDS "${CMAKE_MATCH_1}")
