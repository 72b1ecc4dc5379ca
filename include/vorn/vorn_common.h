/** @file vorn/vorn_common.h
 * Includes every public header of the library.
 */
#ifndef VORN_COMMON_H
#define VORN_COMMON_H

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

#endif /* VORN_COMMON_H */
