// Dumping a memory block to a file, only while the log is switched on.
#include "log/log_state.h"
#include "vorn/files.h"
#include "vorn/log.h"

extern "C" int32_t Vorn_Log_DebugDump(const char* path, const void* data, uint32_t size) {
  if (!vorn::detail::log::g_log.enabled) return 0;
  return Vorn_WriteFileA(path, data, size);
}
