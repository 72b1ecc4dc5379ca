# Cross build for i686 Windows with Debian's mingw-w64 (posix thread model).
set(VORN_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
