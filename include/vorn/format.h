/* vorn_common: length estimate for formatted text. */
#ifndef VORN_FORMAT_H
#define VORN_FORMAT_H

#include "vorn/export.h"

#endif /* VORN_FORMAT_H */
