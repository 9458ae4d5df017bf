# Runs the web build's picture_load under node on FILES and compares what it loaded
# with what the native build loaded from the same files, byte for byte.
file(REMOVE ${OUTPUT})
execute_process(COMMAND ${NODE} --no-experimental-fetch ${PROGRAM} /host${OUTPUT} ${FILES}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "picture_load failed: ${status}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${EXPECTED}
                RESULT_VARIABLE different)
if(different)
  message(FATAL_ERROR "the web build's pictures (${OUTPUT}) differ from the native build's (${EXPECTED})")
endif()
