// Internal to vorn_common: do not include from outside src/.
//
// The system's temporary directory, as the rest of the library expects it.
#ifndef VORN_SRC_PLATFORM_TEMPDIR_H
#define VORN_SRC_PLATFORM_TEMPDIR_H

#include <string>

namespace vorn::platform {

// Writes the temporary directory into `out`: $TMPDIR when it is set and not empty,
// else "/tmp", always ending with '/'. Returns whether a directory was found; on POSIX
// there is always one.
bool temp_directory(std::string& out);

}  // namespace vorn::platform

#endif  // VORN_SRC_PLATFORM_TEMPDIR_H
