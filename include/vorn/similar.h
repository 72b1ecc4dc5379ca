/* vorn_common: string similarity measures (TStrSimilar). */
#ifndef VORN_SIMILAR_H
#define VORN_SIMILAR_H

#include "vorn/export.h"

#endif /* VORN_SIMILAR_H */
