# Builds the Debian package into a scratch folder and has lintian judge it:
# any error or warning fails.
file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND cpack -G DEB -B ${SCRATCH} --config ${BUILD_DIR}/CPackConfig.cmake
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(GLOB deb ${SCRATCH}/*.deb)
if(NOT result EQUAL 0 OR NOT deb)
  message(FATAL_ERROR "cpack failed (${result}):\n${out}")
endif()
execute_process(COMMAND lintian --fail-on error,warning ${deb}
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(REMOVE_RECURSE ${SCRATCH})
if(NOT result EQUAL 0)
  message(FATAL_ERROR "lintian (${result}):\n${out}")
endif()
