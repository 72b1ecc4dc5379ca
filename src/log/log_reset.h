// Internal to vorn_common: do not include from outside src/.
//
// Puts the process-wide log back to the state the library loads with, for programs
// (the test suites among them) that open and close the log many times in one process.
#ifndef VORN_SRC_LOG_LOG_RESET_H
#define VORN_SRC_LOG_LOG_RESET_H

namespace vorn::detail::log {

/// Closes every log file whatever the count of opens, switches the log on, forgets the
/// initialisation and the assertion switch, and zeroes this thread's indent and timers.
void restore_loaded_state();

}  // namespace vorn::detail::log

#endif  // VORN_SRC_LOG_LOG_RESET_H
