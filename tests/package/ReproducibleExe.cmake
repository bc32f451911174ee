# cmake -DSOURCE_DIR=... -DMAIN_BUILD_DIR=... -DGENERATOR=... -DTOOLCHAIN=...
#       -DBUILD_TYPE=... -DWORK_DIR=... -P ReproducibleExe.cmake
# Copies the product's sources to WORK_DIR/src, builds VORN there in
# WORK_DIR/build (other source and build paths than the main build's, no
# compiler cache, so every object is compiled again) and fails unless the
# VORN.exe it makes is byte for byte the main build's.
set(main_exe ${MAIN_BUILD_DIR}/app/VORN.exe)
if(NOT EXISTS ${main_exe})
  message(FATAL_ERROR "${main_exe} does not exist: build the target VORN first")
endif()
set(src ${WORK_DIR}/src)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${src})
foreach(part CMakeLists.txt cmake app registry effects host button examples)
  file(COPY ${SOURCE_DIR}/${part} DESTINATION ${src})
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -S ${src} -B ${WORK_DIR}/build -G ${GENERATOR}
    -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DCMAKE_BUILD_TYPE=${BUILD_TYPE}
    -DVORN_BUILD_TESTS=OFF -DVORN_BUILD_BENCH=OFF -DCMAKE_C_COMPILER_LAUNCHER= -DCMAKE_CXX_COMPILER_LAUNCHER=
  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}/build --target VORN OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
set(copy_exe ${WORK_DIR}/build/app/VORN.exe)
file(SHA256 ${main_exe} main_sum)
file(SHA256 ${copy_exe} copy_sum)
message(STATUS "${main_exe}: ${main_sum}")
message(STATUS "${copy_exe}: ${copy_sum}")
if(NOT main_sum STREQUAL copy_sum)
  message(FATAL_ERROR "The two builds of VORN.exe differ (cmp -l shows where)")
endif()
# The copy served its purpose; only the verdict stays.
file(REMOVE_RECURSE ${WORK_DIR})
