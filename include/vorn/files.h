/* vorn_common: whole files, directory creation and path names. */
#ifndef VORN_FILES_H
#define VORN_FILES_H

#include "vorn/export.h"

#endif /* VORN_FILES_H */
