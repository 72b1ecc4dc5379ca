// Internal to vorn_common: do not include from outside src/.
//
// What the whole-file helpers share for 8-bit and UTF-16 paths. How a file is opened
// and how its path reads in a log line come from UnitTraits.
#ifndef VORN_SRC_FILES_WHOLE_FILE_IMPL_H
#define VORN_SRC_FILES_WHOLE_FILE_IMPL_H

#include "cstr/unit_traits.h"

namespace vorn::detail::files {

template <class Unit>
bool is_empty_path(const Unit* path) {
  return path == nullptr || *path == 0;
}

}  // namespace vorn::detail::files

#endif  // VORN_SRC_FILES_WHOLE_FILE_IMPL_H
