# Runs the web build's raster_scene under node and compares its pixels with the
# native build's, byte for byte.
file(REMOVE ${OUTPUT})
execute_process(COMMAND ${NODE} --no-experimental-fetch ${PROGRAM} /host${OUTPUT}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "raster_scene failed: ${status}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${EXPECTED}
                RESULT_VARIABLE different)
if(different)
  message(FATAL_ERROR "the web build's pixels (${OUTPUT}) differ from the native build's (${EXPECTED})")
endif()
