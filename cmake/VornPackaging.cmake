# Debian packages through CPack, one per install component:
#   libvorn-common1     the shared library (component "runtime")
#   libvorn-common-dev  headers, the .so link, the CMake package and vorn_common.pc ("dev")
#   vorn-tools          the vorn program and its samples ("tools")
# Build them from a tree configured with -DCMAKE_INSTALL_PREFIX=/usr (so that the library
# lands in the multiarch directory), then run `cpack` there; scripts/check-debs.sh does it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorn-common)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "vorn_common developers")
set(CPACK_PACKAGE_CONTACT "vorn_common developers <vorn-common@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime dev)
if(VORN_BUILD_TOOLS)
  list(APPEND CPACK_COMPONENTS_ALL tools)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
# Run-time dependencies (libicu72, libstdc++6, ...) come from dpkg-shlibdeps; the
# library itself is found in the build tree.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR}/src)
set(vorn_deb_version "${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}")

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libvorn-common1)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
  "Shared utility library: strings, formatting, logging, update information, character sets.\n\
vorn_common is a C++17 utility library with a C interface: 8-bit and UTF-16 string\n\
classes, a printf-style formatting engine, a process-wide log, an update-information\n\
parser, character-set conversion through ICU, string similarity and path helpers.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME libvorn-common-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "libvorn-common1 (= ${vorn_deb_version})")
if(VORN_HAVE_VQSORT)
  # The CMake package and vorn_common.pc name the vectorised sort library.
  string(APPEND CPACK_DEBIAN_DEV_PACKAGE_DEPENDS ", libhwy-dev")
endif()
set(CPACK_DEBIAN_DEV_PACKAGE_SHLIBDEPS OFF)
set(CPACK_COMPONENT_DEV_DESCRIPTION
  "Development files of vorn_common.\n\
Headers (C++17, and C11 through vorn/vorn_c.h), the CMake package\n\
(find_package(vorn_common CONFIG)) and the pkg-config file vorn_common.pc.")

set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME vorn-tools)
set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_TOOLS_PACKAGE_DEPENDS "libvorn-common1 (= ${vorn_deb_version})")
set(CPACK_COMPONENT_TOOLS_DESCRIPTION
  "The vorn command-line program of vorn_common.\n\
Checks update-information documents against installed components, converts\n\
between character sets, rates string similarity, formats with the library's\n\
engine and takes paths apart.")

include(CPack)
