/* vorn_common: the process-wide log, timers, scope timer, reports and debug dump. */
#ifndef VORN_LOG_H
#define VORN_LOG_H

#include "vorn/export.h"

#endif /* VORN_LOG_H */
