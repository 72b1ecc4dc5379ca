#include "log/log_reset.h"

#include "log/log_state.h"
#include "vorn/log.h"

namespace vorn::detail::log {

void restore_loaded_state() {
  // Close_all closes the files on the last of the counted opens only.
  if (g_log.init_count < 1) g_log.init_count = 1;
  while (g_log.init_count > 0) Vorn_Log_Close_all();
  g_log.enabled = true;
  g_log.initialised = false;
  Vorn_Log_DisableAssert();
  thread_state().indent = 0;
  thread_state().timer_depth = 0;
}

}  // namespace vorn::detail::log
