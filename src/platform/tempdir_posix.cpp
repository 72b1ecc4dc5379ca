#include "platform/tempdir.h"

#include <cstdlib>

namespace vorn::platform {

bool temp_directory(std::string& out) {
  const char* dir = std::getenv("TMPDIR");
  out = (dir != nullptr && dir[0] != '\0') ? dir : "/tmp";
  if (out.back() != '/') out.push_back('/');
  return true;
}

}  // namespace vorn::platform
