# cmake -DSOURCE_DIR=... -DMAIN_BUILD_DIR=... -DGENERATOR=... -DTOOLCHAIN=...
#       -DBUILD_TYPE=... -DWORK_DIR=... [-DLAUNCHER=...] -P BuildConsumer.cmake
# Installs the libraries of MAIN_BUILD_DIR (install component Development)
# into WORK_DIR/prefix, then configures and builds tests/consumer against
# that prefix in WORK_DIR/build.
set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${prefix})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${MAIN_BUILD_DIR} --prefix ${prefix} --component Development
  COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/consumer -B ${WORK_DIR}/build -G ${GENERATOR}
    -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DCMAKE_BUILD_TYPE=${BUILD_TYPE} -DCMAKE_PREFIX_PATH=${prefix}
    -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER}
  COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}/build COMMAND_ERROR_IS_FATAL ANY)
