/* vorn_common: last error, confirmation callbacks, string resources, reference-counted base. */
#ifndef VORN_RUNTIME_H
#define VORN_RUNTIME_H

#include "vorn/export.h"

#endif /* VORN_RUNTIME_H */
