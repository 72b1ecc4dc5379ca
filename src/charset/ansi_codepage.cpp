// The "ANSI" code page: the system's own conversion, or ICU's converter for a name
// the caller has set (or for the locale's character set where the system has none).
//
// The name in force is an atomic pointer to an immutable, never-released copy, so a
// conversion on another thread reads it without a lock. Copies are kept in a list
// that only grows (one entry per distinct name ever set), which also keeps them
// reachable until the process ends.
#include "charset/ansi_codepage.h"

#include <atomic>
#include <climits>
#include <cstring>

#include "charset/icu_convert_impl.h"
#include "cstr/cstr_impl.h"
#include "platform/system_code_page.h"

namespace vorn::charset {
namespace {

struct NameEntry {
  const NameEntry* next;
  const char* name;
};

std::atomic<const NameEntry*> g_names{nullptr};
std::atomic<const char*> g_current{nullptr};

/// A stable copy of `name`: the existing entry when the name was set before.
const char* intern(const char* name) {
  const NameEntry* head = g_names.load(std::memory_order_acquire);
  for (const NameEntry* e = head; e != nullptr; e = e->next) {
    if (std::strcmp(e->name, name) == 0) return e->name;
  }
  auto* entry = new NameEntry{head, detail::dup_with_length(name, nullptr)};
  // A racing setter may push first; the list then holds the name twice, which is harmless.
  while (!g_names.compare_exchange_weak(head, entry, std::memory_order_acq_rel, std::memory_order_acquire)) {
    entry->next = head;
  }
  return entry->name;
}

/// Arguments that fail the conversion before any character set is consulted.
template <class Source, class Target>
bool rejected(const Source* src, int src_length, const Target* dest, int capacity) {
  return src == nullptr || src_length == 0 || src_length < -1 || capacity < 0 || (capacity > 0 && dest == nullptr) ||
         static_cast<const void*>(src) == static_cast<const void*>(dest);
}

/// Conversion with the system's calling convention through ICU's streaming call,
/// shared by both directions. A null name opens ICU's default converter.
template <class Dir>
int convert(const char* name, const typename Dir::Source* src, int src_length, typename Dir::Target* dest,
            int capacity) {
  using Target = typename Dir::Target;
  // With -1 the terminator is converted too; it is added by hand rather than passed
  // through the converter, so that it stays one zero unit in every character set.
  const bool terminated = src_length == -1;
  const uint32_t length = terminated ? detail::text_length(src) : static_cast<uint32_t>(src_length);
  const int64_t extra = terminated ? 1 : 0;

  UErrorCode status = U_ZERO_ERROR;
  UConverter* cnv = ucnv_open(name, &status);
  if (cnv == nullptr) return 0;

  const typename Dir::Source* in = src;
  const typename Dir::Source* const in_end = src + length;
  int64_t produced = 0;
  if (capacity == 0) {
    // Size request: convert into scratch space and count.
    Target scratch[512];
    do {
      status = U_ZERO_ERROR;
      Target* out = scratch;
      Dir::stream(cnv, &out, scratch + sizeof(scratch) / sizeof(Target), &in, in_end, &status);
      produced += out - scratch;
    } while (status == U_BUFFER_OVERFLOW_ERROR && produced <= INT_MAX);
  } else {
    Target* out = dest;
    Dir::stream(cnv, &out, dest + capacity, &in, in_end, &status);
    produced = out - dest;
  }
  ucnv_close(cnv);

  if (U_FAILURE(status)) return 0;  // the destination was too small, or ICU failed
  const int64_t needed = produced + extra;
  if (needed > INT_MAX) return 0;
  if (capacity != 0) {
    if (needed > capacity) return 0;  // everything fit but the terminator
    if (terminated) dest[produced] = 0;
  }
  return static_cast<int>(needed);
}

/// The system converts while no name is set, where it can; ICU does the rest.
template <class Dir, class SystemCall>
int convert_ansi(const typename Dir::Source* src, int src_length, typename Dir::Target* dest, int capacity,
                 SystemCall system_call) {
  if (rejected(src, src_length, dest, capacity)) return 0;
  const char* name = g_current.load(std::memory_order_acquire);
  if (name == nullptr && platform::has_system_code_page()) return system_call(src, src_length, dest, capacity);
  return convert<Dir>(name, src, src_length, dest, capacity);
}

}  // namespace

bool set_ansi_code_page(const char* icu_name) {
  if (icu_name == nullptr) {
    g_current.store(nullptr, std::memory_order_release);
    return true;
  }
  UErrorCode status = U_ZERO_ERROR;
  UConverter* cnv = ucnv_open(icu_name, &status);
  if (cnv == nullptr) return false;
  ucnv_close(cnv);
  g_current.store(intern(icu_name), std::memory_order_release);
  return true;
}

const char* ansi_code_page() { return g_current.load(std::memory_order_acquire); }

int ansi_to_utf16(const char* src, int src_length, unsigned short* dest, int capacity) {
  return convert_ansi<detail::Utf16From>(src, src_length, dest, capacity, &platform::system_to_utf16);
}

int utf16_to_ansi(const unsigned short* src, int src_length, char* dest, int capacity) {
  return convert_ansi<detail::Utf16To>(src, src_length, dest, capacity, &platform::utf16_to_system);
}

}  // namespace vorn::charset
