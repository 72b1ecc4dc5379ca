# Cross build for x86_64 Windows with Debian's mingw-w64 (posix thread model).
set(VORN_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
