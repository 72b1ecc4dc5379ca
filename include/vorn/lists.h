/* vorn_common: string lists TAnsiStrings and TWideStrings. */
#ifndef VORN_LISTS_H
#define VORN_LISTS_H

#include "vorn/export.h"

#endif /* VORN_LISTS_H */
