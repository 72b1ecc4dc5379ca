// TStrSimilar: the similarity measures over the edit distances of edit_distance.cpp and
// the presence tables of printable byte values.
#include "vorn/similar.h"

#include <cstring>

#include "similar/edit_distance_impl.h"

namespace sim = vorn::detail::similar;

namespace {

const unsigned char* bytes_of(const char* text) { return reinterpret_cast<const unsigned char*>(text); }

uint32_t length_of(const char* text) { return text != nullptr ? static_cast<uint32_t>(std::strlen(text)) : 0; }

// The early-stop limit for a rating threshold in percent: the largest distance whose
// rating 100 / (d + 1) still reaches it. Unsigned 32-bit arithmetic throughout.
uint32_t limit_for_threshold(uint32_t threshold) { return threshold == 0 ? 0 : (100u - threshold) / threshold; }

uint32_t rating(uint32_t d) { return static_cast<uint32_t>(100 / (uint64_t{d} + 1)); }

uint32_t proportion(uint32_t longer, uint32_t d) {
  return static_cast<uint32_t>((uint64_t{longer} - d) * 100 / longer);
}

void mark(uint8_t* table, const char* text, bool folded) {
  if (text == nullptr) return;
  for (const unsigned char* s = bytes_of(text); *s != 0; ++s) {
    const unsigned char c = folded ? sim::fold(*s) : *s;
    if (c < 255) table[c] = 1;
  }
}

bool empty(const char* text) { return text == nullptr || *text == 0; }

// Marks the byte values of each text in its table (255 entries, cleared first) and
// returns the common over the union count of the printable values 32..126.
uint32_t intersection(uint8_t* first, uint8_t* second, const char* a, const char* b, bool folded) {
  if (empty(a) || empty(b)) return (empty(a) && empty(b)) ? 100 : 0;
  std::memset(first, 0, 255);
  std::memset(second, 0, 255);
  mark(first, a, folded);
  mark(second, b, folded);
  uint32_t common = 0;
  uint32_t either = 0;
  for (int c = 32; c <= 126; ++c) {
    common += (first[c] && second[c]) ? 1 : 0;
    either += (first[c] || second[c]) ? 1 : 0;
  }
  return either == 0 ? 0 : common * 100 / either;
}

}  // namespace

TStrSimilar::TStrSimilar() : FlsBuffer(nullptr), FlsSize(0), FCounts1{}, FCounts2{} {}

TStrSimilar::TStrSimilar(const TStrSimilar& other) : TStrSimilar() { *this = other; }

TStrSimilar::~TStrSimilar() { deleteDistanceResource(); }

// The buffer is scratch that every call rewrites, so a copy needs only its reach: this
// object keeps (or grows) a buffer of its own and never shares the other's.
TStrSimilar& TStrSimilar::operator=(const TStrSimilar& other) {
  if (this != &other) {
    if (other.FlsSize > FlsSize) expandlsBuffer(other.FlsSize - 1);
    std::memcpy(FCounts1, other.FCounts1, sizeof FCounts1);
    std::memcpy(FCounts2, other.FCounts2, sizeof FCounts2);
  }
  return *this;
}

void TStrSimilar::expandlsBuffer(uint32_t n) {
  if (FlsSize > n) return;
  deleteDistanceResource();
  // 50 percent headroom so that a run of similar sizes allocates once.
  const uint64_t side = uint64_t{n} + n / 2 + 1;
  const uint32_t capped = side > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(side);
  FlsBuffer = new uint32_t[sim::work_cells(capped)];
  FlsSize = capped;
}

void TStrSimilar::deleteDistanceResource() {
  delete[] FlsBuffer;
  FlsBuffer = nullptr;
  FlsSize = 0;
}

uint32_t TStrSimilar::distance(const char* a, const char* b, uint32_t limit) {
  const uint32_t p = length_of(a);
  const uint32_t q = length_of(b);
  if (p == 0 && q == 0) return 0;
  expandlsBuffer(p > q ? p : q);
  return sim::byte_distance(bytes_of(a), p, bytes_of(b), q, limit, FlsBuffer);
}

uint32_t TStrSimilar::similarity_proportion(const char* a, const char* b) {
  const uint32_t p = length_of(a);
  const uint32_t q = length_of(b);
  if (p == 0 || q == 0) return (p == 0 && q == 0) ? 100 : 0;
  const uint32_t m = p > q ? p : q;
  expandlsBuffer(m);
  return proportion(m, sim::byte_distance(bytes_of(a), p, bytes_of(b), q, 0, FlsBuffer));
}

uint32_t TStrSimilar::similarityWords_proportion(const char* a, const char* b) {
  const uint32_t la = length_of(a);
  const uint32_t lb = length_of(b);
  if (la == 0 || lb == 0) return (la == 0 && lb == 0) ? 100 : 0;
  const uint32_t p = sim::count_words(bytes_of(a), la);
  const uint32_t q = sim::count_words(bytes_of(b), lb);
  const uint32_t m = p > q ? p : q;
  // Texts of separators only: no word differs from the other side's (none).
  if (m == 0) return 100;
  expandlsBuffer(m);
  return proportion(m, sim::word_distance(bytes_of(a), la, bytes_of(b), lb, 0, FlsBuffer, FlsSize));
}

uint32_t TStrSimilar::similarity_dkl_s(const char* a, const char* b, uint32_t threshold) {
  return rating(distance(a, b, limit_for_threshold(threshold)));
}

uint32_t TStrSimilar::similarityWords_dkl(const char* a, const char* b, uint32_t threshold) {
  const uint32_t la = length_of(a);
  const uint32_t lb = length_of(b);
  if (la == 0 || lb == 0) return (la == 0 && lb == 0) ? 100 : 0;
  const uint32_t p = sim::count_words(bytes_of(a), la);
  const uint32_t q = sim::count_words(bytes_of(b), lb);
  expandlsBuffer(p > q ? p : q);
  const uint32_t limit = limit_for_threshold(threshold);
  return rating(sim::word_distance(bytes_of(a), la, bytes_of(b), lb, limit, FlsBuffer, FlsSize));
}

uint32_t TStrSimilar::similarity_InterSec(const char* a, const char* b) {
  return intersection(FCounts1, FCounts2, a, b, false);
}

uint32_t TStrSimilar::similarity_InterSecNoCase(const char* a, const char* b) {
  return intersection(FCounts1, FCounts2, a, b, true);
}

uint32_t TStrSimilar::simlarity_composite(const char* a, const char* b) {
  const uint32_t x = similarity_InterSecNoCase(a, b);
  const uint32_t p = similarity_proportion(a, b);
  return (x + 3 * p) / 4;
}
