# The API reference: Doxygen over include/vorn/ with the README as main page. Every
# public declaration must carry a comment; an undocumented one fails the build.
#   cmake --build <dir> --target docs        -> <dir>/docs/html/index.html
# With VORN_BUILD_DOCS=ON the reference is part of the normal build and is installed
# (component "dev") under share/doc/.
find_program(VORN_DOXYGEN doxygen)
if(NOT VORN_DOXYGEN)
  if(VORN_BUILD_DOCS)
    message(FATAL_ERROR "VORN_BUILD_DOCS needs doxygen (Debian package doxygen)")
  endif()
  return()
endif()

set(VORN_DOCS_OUTPUT ${PROJECT_BINARY_DIR}/docs)
configure_file(${PROJECT_SOURCE_DIR}/docs/Doxyfile.in ${VORN_DOCS_OUTPUT}/Doxyfile @ONLY)
file(GLOB vorn_public_headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/include/vorn/*.h)

set(vorn_docs_all "")
if(VORN_BUILD_DOCS)
  set(vorn_docs_all ALL)
endif()
add_custom_command(
  OUTPUT ${VORN_DOCS_OUTPUT}/html/index.html
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${VORN_DOCS_OUTPUT}/html
  COMMAND ${VORN_DOXYGEN} ${VORN_DOCS_OUTPUT}/Doxyfile
  DEPENDS ${VORN_DOCS_OUTPUT}/Doxyfile ${vorn_public_headers} ${PROJECT_SOURCE_DIR}/README.md
  WORKING_DIRECTORY ${VORN_DOCS_OUTPUT}
  COMMENT "API reference (Doxygen)"
  VERBATIM)
add_custom_target(docs ${vorn_docs_all} DEPENDS ${VORN_DOCS_OUTPUT}/html/index.html)

if(VORN_BUILD_DOCS)
  install(DIRECTORY ${VORN_DOCS_OUTPUT}/html
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/libvorn-common-dev
    COMPONENT dev)
endif()
