# Compiler flags shared by every target of the project.
add_library(vorn_flags INTERFACE)
target_compile_options(vorn_flags INTERFACE
  $<$<COMPILE_LANG_AND_ID:CXX,GNU,Clang>:-Wall -Wextra>
  $<$<COMPILE_LANG_AND_ID:C,GNU,Clang>:-Wall -Wextra>)
if(VORN_WERROR)
  target_compile_options(vorn_flags INTERFACE -Werror)
endif()
if(VORN_SANITIZE)
  target_compile_options(vorn_flags INTERFACE
    -fsanitize=${VORN_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(vorn_flags INTERFACE -fsanitize=${VORN_SANITIZE})
endif()

if(WIN32 AND CMAKE_CROSSCOMPILING)
  include(${CMAKE_CURRENT_LIST_DIR}/VornWindows.cmake)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(ICU REQUIRED IMPORTED_TARGET icu-uc)
endif()
find_package(Threads REQUIRED)
# The vectorised sort (Debian libhwy-dev). Without it, as in cross builds, the sort
# keeps its own radix path.
find_package(hwy 1.0 CONFIG QUIET)
if(TARGET hwy::hwy_contrib)
  set(VORN_HAVE_VQSORT 1)
  set(VORN_SORT_LIBS hwy::hwy_contrib hwy::hwy)
  set(VORN_PC_REQUIRES_PRIVATE "Requires.private: libhwy-contrib libhwy")
else()
  set(VORN_HAVE_VQSORT 0)
endif()
