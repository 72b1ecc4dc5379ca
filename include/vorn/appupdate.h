/* vorn_common: update-information records and parser. */
#ifndef VORN_APPUPDATE_H
#define VORN_APPUPDATE_H

#include "vorn/export.h"

#endif /* VORN_APPUPDATE_H */
