/** @file vorn/vorn_c.h
 * For C programs: every function that the library exports with C linkage.
 *
 * Each subsystem header shows C only its plain functions and record types; the classes
 * stay behind __cplusplus. Include this one header from C11 (or C++) code and link
 * with -lvorn_common (pkg-config vorn_common):
 *
 * @code
 *   #include <vorn/vorn_c.h>
 * @endcode
 *
 * @code
 *   unsigned short wide[32];
 *   StrUtf8ToUnicode(wide, 32, "main", -1);
 *   char dir[260];
 *   ExtractFileDir("/opt/app/bin/app", dir);   // "/opt/app/bin/"
 * @endcode
 */
#ifndef VORN_C_H
#define VORN_C_H

#include "vorn/appupdate.h"
#include "vorn/charset.h"
#include "vorn/cstr.h"
#include "vorn/export.h"
#include "vorn/files.h"
#include "vorn/format.h"
#include "vorn/lists.h"
#include "vorn/log.h"
#include "vorn/runtime.h"
#include "vorn/similar.h"
#include "vorn/strings.h"

#endif /* VORN_C_H */
