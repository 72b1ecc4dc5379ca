// The version of the library as built, for programs that want the one actually loaded
// rather than the one they were compiled against.
#include "vorn/runtime.h"

extern "C" const char* Vorn_GetVersion(void) { return VORN_LIBRARY_VERSION; }
