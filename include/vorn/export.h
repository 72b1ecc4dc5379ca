/** @file vorn/export.h
 * Symbol export and linkage macros shared by every public header.
 *
 * The library is built with hidden visibility; VORN_API marks exactly the classes and
 * functions that it exports. VORN_EXTERN_C_BEGIN/END give the plain functions C
 * linkage so that C programs can call them. This header compiles as C11 and C++17. */
#ifndef VORN_EXPORT_H
#define VORN_EXPORT_H

/* Nested directives are indented after the hash. */
/* clang-format off */
#if defined(_WIN32)
#  if defined(VORN_COMMON_BUILDING)
#    define VORN_API __declspec(dllexport)
#  else
#    define VORN_API __declspec(dllimport)
#  endif
#else
/** Marks a class or function that the shared library exports. */
#  define VORN_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
/** Opens a block of declarations with C linkage (nothing in C). */
#  define VORN_EXTERN_C_BEGIN extern "C" {
/** Closes the block that VORN_EXTERN_C_BEGIN opened. */
#  define VORN_EXTERN_C_END }
#else
#  define VORN_EXTERN_C_BEGIN
#  define VORN_EXTERN_C_END
#endif
/* clang-format on */

#endif /* VORN_EXPORT_H */
