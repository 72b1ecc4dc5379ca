# Windows builds with mingw-w64: ICU from scripts/build-icu-mingw.sh, the header-only
# packages of the build machine, and Wine to run what was built.
string(REGEX MATCH "^[^-]+" vorn_arch "${VORN_MINGW_TRIPLE}")
set(VORN_ICU_PREFIX "${PROJECT_SOURCE_DIR}/build/icu-mingw/${vorn_arch}" CACHE PATH
    "ICU built for this target by scripts/build-icu-mingw.sh")
if(NOT EXISTS "${VORN_ICU_PREFIX}/include/unicode/ucnv.h")
  message(FATAL_ERROR "No ICU for ${vorn_arch} in ${VORN_ICU_PREFIX}: run scripts/build-icu-mingw.sh ${vorn_arch}")
endif()
add_library(PkgConfig::ICU INTERFACE IMPORTED)
target_include_directories(PkgConfig::ICU INTERFACE "${VORN_ICU_PREFIX}/include")
target_link_libraries(PkgConfig::ICU INTERFACE "${VORN_ICU_PREFIX}/lib/libicuuc.dll.a")

# Header-only packages come from the build machine, through a folder that holds only
# their headers, so that its system headers stay out of the cross build.
set(vorn_host_headers "${CMAKE_BINARY_DIR}/host-headers")
file(MAKE_DIRECTORY "${vorn_host_headers}")
foreach(dir CLI nlohmann rapidxml)
  file(CREATE_LINK "/usr/include/${dir}" "${vorn_host_headers}/${dir}" SYMBOLIC)
endforeach()
include_directories(SYSTEM "${vorn_host_headers}")
foreach(target CLI11::CLI11 nlohmann_json::nlohmann_json)
  add_library(${target} INTERFACE IMPORTED)
  target_include_directories(${target} INTERFACE "${vorn_host_headers}")
endforeach()
set(CLI11_FOUND TRUE)
set(nlohmann_json_FOUND TRUE)

# Programs run under Wine in a prefix of their own, finding the compiler's runtime
# and ICU's libraries on the path.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
  OUTPUT_VARIABLE vorn_libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(vorn_gcc_runtime "${vorn_libstdcxx}" DIRECTORY)
if(vorn_arch STREQUAL "x86_64")
  set(vorn_wine /usr/lib/wine/wine64)
  set(vorn_wine_arch win64)
else()
  # A 32-bit program needs a 32-bit prefix: made for 64 bits, it finds no 32-bit kernel32.
  set(vorn_wine /usr/lib/wine/wine)
  set(vorn_wine_arch win32)
endif()
set(VORN_WINE "${vorn_wine}" CACHE FILEPATH "Wine loader that runs the programs of this build")
set(VORN_WINESERVER /usr/lib/wine/wineserver64 CACHE FILEPATH "Wine server of both loaders")
set(vorn_wine_path "")
foreach(dir "${CMAKE_BINARY_DIR}/src" "${VORN_ICU_PREFIX}/bin" "${vorn_gcc_runtime}" "/usr/${VORN_MINGW_TRIPLE}/lib")
  string(APPEND vorn_wine_path "Z:${dir};")  # Wine shows the whole file system as drive Z:
endforeach()
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_BINARY_DIR}/wine-run.sh")
