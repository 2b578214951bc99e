# One flavour (plain or rec) of the library over one port backend.
#   novra3_add_library(<target> <SHARED|STATIC> REC <ON|OFF> PORTS <direct|sim|none> [SOURCES ...])
# PORTS none leaves lireport/ecrireport (and rien) to the caller's sources, as the test bus does.
include(GNUInstallDirs)
set(NOVRA3_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/../src)

function(novra3_add_library target kind)
  cmake_parse_arguments(ARG "" "REC;PORTS" "SOURCES" ${ARGN})
  set(src ${NOVRA3_SOURCE_DIR})
  add_library(${target} ${kind}
    ${src}/core/interface.cpp
    ${src}/core/chrono.cpp
    ${src}/core/delay.cpp
    ${src}/core/load.cpp
    ${src}/core/card_lock.cpp
    ${src}/channels/analog_input.cpp
    ${src}/channels/analog_output.cpp
    ${src}/channels/logic.cpp
    ${src}/exports/identification.cpp
    ${src}/exports/stdcall_forms.cpp
    ${src}/exports/double_forms.cpp
    ${src}/exports/pointer_forms.cpp
    ${ARG_SOURCES})
  if(ARG_REC)
    target_sources(${target} PRIVATE ${src}/sensors/sensor_names.cpp)
    target_compile_definitions(${target} PUBLIC $<BUILD_INTERFACE:NOVRA3_REC=1>)
  else()
    target_compile_definitions(${target} PUBLIC $<BUILD_INTERFACE:NOVRA3_REC=0>)
  endif()
  if(ARG_PORTS STREQUAL "direct")
    target_compile_definitions(${target} PRIVATE NOVRA3_PORTS_DIRECT=1)
    target_sources(${target} PRIVATE ${src}/core/rien.cpp)
  elseif(ARG_PORTS STREQUAL "sim")
    target_compile_definitions(${target} PRIVATE NOVRA3_PORTS_SIM=1)
    target_sources(${target} PRIVATE ${src}/core/rien.cpp ${src}/sim/card_model.cpp ${src}/sim/sim_ports.cpp)
  endif()
  # Hosts of an installed tree see only the public header.
  target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${src}> $<BUILD_INTERFACE:${src}/../include>
                                              $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  target_compile_definitions(${target} PRIVATE NOVRA3_BUILDING=1)
  target_compile_options(${target} PRIVATE -fno-exceptions -fno-rtti)
  set_target_properties(${target} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON
                                             POSITION_INDEPENDENT_CODE ON)

  if(kind STREQUAL "SHARED")
    if(WIN32)
      target_sources(${target} PRIVATE ${src}/core/entry_windows.cpp ${src}/exports/novra3.def)
      # Undecorated names from the module-definition file; the runtime linked in.
      target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++
                          -Wl,--kill-at -Wl,--enable-stdcall-fixup)
      set_target_properties(${target} PROPERTIES PREFIX "")
      if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        add_custom_command(TARGET ${target} POST_BUILD
          COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DDLLTOOL=${CMAKE_DLLTOOL}
                  "-DOBJECTS=$<JOIN:$<TARGET_OBJECTS:${target}>,|>" -DDEF=${src}/exports/novra3.def
                  -DDLLNAME=$<TARGET_FILE_NAME:${target}> -DIMPLIB=$<TARGET_LINKER_FILE:${target}>
                  -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/decorated_implib.cmake
          COMMENT "Import library with decorated names for ${target}"
          VERBATIM)
      endif()
    else()
      target_sources(${target} PRIVATE ${src}/core/entry_linux.cpp)
      target_link_options(${target} PRIVATE -Wl,--version-script=${src}/exports/novra3.map -Wl,--no-undefined)
      set_target_properties(${target} PROPERTIES LINK_DEPENDS ${src}/exports/novra3.map)
    endif()
  endif()
endfunction()

# One flavour over the test bus, for tests, fuzzing and benchmarks.
#   novra3_add_testbus_library(<target> REC <ON|OFF> DELAY <counting|real>)
# DELAY picks the empty routine of the delay loop: one that counts its calls,
# or the real one where the wait itself is timed.
function(novra3_add_testbus_library target)
  cmake_parse_arguments(ARG "" "REC;DELAY" "" ${ARGN})
  set(support ${NOVRA3_SOURCE_DIR}/../tests/support)
  if(ARG_DELAY STREQUAL "real")
    set(rien ${NOVRA3_SOURCE_DIR}/core/rien.cpp)
  else()
    set(rien ${support}/counting_rien.cpp)
  endif()
  novra3_add_library(${target} STATIC REC ${ARG_REC} PORTS none SOURCES ${support}/test_bus.cpp ${rien})
  target_include_directories(${target} PUBLIC ${support})
  # The test bus itself may use exceptions and RTTI like any test code.
  target_compile_options(${target} PRIVATE -fexceptions -frtti)
endfunction()
