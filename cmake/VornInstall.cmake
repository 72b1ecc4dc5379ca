# Installs the library, its headers, a CMake package and a pkg-config file.
include(CMakePackageConfigHelpers)

# Components: "runtime" is the shared library with its SONAME link; "dev" the headers,
# the unversioned link, the CMake package and the pkg-config file (the program adds
# "tools" in tools/).
install(TARGETS vorn_common EXPORT vorn_commonTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT dev
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY include/vorn DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT dev)
install(EXPORT vorn_commonTargets
  NAMESPACE vorn::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/vorn_common
  COMPONENT dev)

configure_package_config_file(cmake/vorn_commonConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/vorn_commonConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/vorn_common)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/vorn_commonConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES
  ${CMAKE_CURRENT_BINARY_DIR}/vorn_commonConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/vorn_commonConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/vorn_common
  COMPONENT dev)

# The pkg-config file finds its prefix relative to itself, so an installed tree can
# be moved (and `cmake --install --prefix` works).
file(RELATIVE_PATH VORN_PC_TO_PREFIX "/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/")
string(REGEX REPLACE "/$" "" VORN_PC_TO_PREFIX "${VORN_PC_TO_PREFIX}")
configure_file(cmake/vorn_common.pc.in ${CMAKE_CURRENT_BINARY_DIR}/vorn_common.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/vorn_common.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
  COMPONENT dev)
