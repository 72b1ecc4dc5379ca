# Compiles a C11 translation unit that includes vorn/vorn_c.h and takes the address of
# every C function the library exports (C_NAMES), with -Wall -Wextra -Werror -pedantic,
# then links it against the shared library. A name missing from the C headers, or a
# header that is not valid C11, fails the compile; a name missing from the library
# fails the link.
file(STRINGS ${C_NAMES} names REGEX "^[A-Za-z_]")
set(source "#include <vorn/vorn_c.h>\n#include <stdio.h>\n\ntypedef void (*any_function)(void);\n")
string(APPEND source "static const any_function exported[] = {\n")
foreach(name IN LISTS names)
  string(APPEND source "  (any_function)${name},\n")
endforeach()
string(APPEND source "};\n\nint main(void) {\n")
string(APPEND source "  char text[12];\n  Vorn_IToA(-42, text);\n")
string(APPEND source "  printf(\"%u C functions, %s\\n\", (unsigned)(sizeof exported / sizeof exported[0]), text);\n")
string(APPEND source "  return text[0] == '-' ? 0 : 1;\n}\n")
file(WRITE ${WORK_DIR}/c_header.c "${source}")

set(sanitize "")
if(SANITIZE)
  set(sanitize -fsanitize=${SANITIZE})
endif()
get_filename_component(library_dir ${LIBRARY} DIRECTORY)
set(RPATH -Wl,-rpath,${library_dir})
if(EXE_SUFFIX)  # Windows: the program finds the DLL on the emulator's path
  set(RPATH "")
endif()
execute_process(
  COMMAND ${C_COMPILER} ${sanitize} -std=c11 -Wall -Wextra -Werror -pedantic -I${INCLUDE_DIR}
          ${WORK_DIR}/c_header.c ${LIBRARY} ${RPATH} -o ${WORK_DIR}/c_header${EXE_SUFFIX}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the C11 translation unit does not build:\n${out}${err}")
endif()
execute_process(COMMAND ${EMULATOR} ${WORK_DIR}/c_header${EXE_SUFFIX} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the C11 program failed (${status}):\n${out}${err}")
endif()
message(STATUS "${out}")
