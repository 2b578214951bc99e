# cmake --install: the two libraries, the header, on Windows the import
# libraries and the module-definition file, a CMake package
# (find_package(novra3) gives novra3::novra3 and novra3::novra3_rec) and
# pkg-config files.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(NOVRA3_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/novra3)

install(TARGETS novra3 novra3_rec EXPORT novra3Targets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${PROJECT_SOURCE_DIR}/include/novra3.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
if(WIN32)
  # One export table serves both DLLs, for linkers that build their own import library.
  install(FILES ${PROJECT_SOURCE_DIR}/src/exports/novra3.def DESTINATION ${CMAKE_INSTALL_LIBDIR})
endif()

install(EXPORT novra3Targets NAMESPACE novra3:: DESTINATION ${NOVRA3_CMAKE_DIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/package/novra3Config.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/novra3Config.cmake INSTALL_DESTINATION ${NOVRA3_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/novra3ConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/novra3Config.cmake ${CMAKE_CURRENT_BINARY_DIR}/novra3ConfigVersion.cmake
  DESTINATION ${NOVRA3_CMAKE_DIR})

# The .pc files find the prefix from where they lie, so the tree can move.
file(RELATIVE_PATH NOVRA3_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" NOVRA3_PC_TO_PREFIX "${NOVRA3_PC_TO_PREFIX}")
foreach(flavour novra3 novra3_rec)
  set(NOVRA3_PC_NAME ${flavour})
  configure_file(${CMAKE_CURRENT_LIST_DIR}/package/novra3.pc.in ${CMAKE_CURRENT_BINARY_DIR}/${flavour}.pc @ONLY)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${flavour}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endforeach()
