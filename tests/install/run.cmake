# cmake -DMODE=find_package|pkg-config -DBUILD_DIR= -DWORK= -DSOURCE= -DGENERATOR= -DC_COMPILER=
#       [-DTOOLCHAIN=] [-DEMULATOR=] [-DEXE_SUFFIX=] -P run.cmake
#
# Installs the build into a fresh prefix, builds the host there the way a
# user would (find_package or pkg-config) and runs it against the installed
# libraries.
set(prefix ${WORK}/prefix)
set(host_build ${WORK}/host)
file(REMOVE_RECURSE ${WORK})

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    string(REPLACE ";" " " command "${ARGN}")
    message(FATAL_ERROR "failed (${rc}): ${command}")
  endif()
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

if(MODE STREQUAL "find_package")
  set(toolchain "")
  if(TOOLCHAIN)
    set(toolchain -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN})
  endif()
  run(${CMAKE_COMMAND} -S ${SOURCE} -B ${host_build} -G ${GENERATOR} -DCMAKE_BUILD_TYPE=Release
      -DCMAKE_C_COMPILER=${C_COMPILER} ${toolchain} -DCMAKE_PREFIX_PATH=${prefix})
  run(${CMAKE_COMMAND} --build ${host_build})
else()
  # Only the installed tree's .pc files, whatever the machine holds.
  set(ENV{PKG_CONFIG_LIBDIR} ${prefix}/lib/pkgconfig)
  file(MAKE_DIRECTORY ${host_build})
  foreach(flavour novra3 novra3_rec)
    execute_process(COMMAND pkg-config --cflags --libs ${flavour} OUTPUT_VARIABLE flags
                    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    if(flavour STREQUAL "novra3_rec")
      set(host host_rec)
      set(defines -DHOST_REC "-DHOST_NAME=\"host_rec\"")
    else()
      set(host host_plain)
      set(defines "-DHOST_NAME=\"host_plain\"")
    endif()
    run(${C_COMPILER} ${defines} ${SOURCE}/host.c ${flags} -o ${host_build}/${host}${EXE_SUFFIX})
  endforeach()
  # The linker found the library through -L; the loader needs telling too.
  set(ENV{LD_LIBRARY_PATH} ${prefix}/lib)
endif()

# Windows finds the DLLs in the current directory.
set(run_in ${prefix})
if(EXISTS ${prefix}/bin)
  set(run_in ${prefix}/bin)
endif()
foreach(host host_plain host_rec)
  execute_process(COMMAND ${EMULATOR} ${host_build}/${host}${EXE_SUFFIX}
                  WORKING_DIRECTORY ${run_in} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${host} failed against ${prefix} (${rc})")
  endif()
endforeach()
