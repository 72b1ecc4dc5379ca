// ParseAppUpdateInfo against RapidXML's copy and parse alone of the same document,
// paired and interleaved in one process (see paired.h: thread processor time, medians).
#include <malloc.h>

#include <cstdio>

#include "appupdate_cases.h"
#include "paired.h"

namespace {

using namespace vorn_bench_appupdate;

void Compare(const char* label, const Case& c) {
  // One cold call of each first, so that the batch size is chosen on warm calls.
  ParseAndFree(c);
  CopyAndParseWithRapidXml(c);
  vorn_bench::run_paired(label, vorn_bench::batch_of([&c] { return ParseAndFree(c); }),
                         vorn_bench::batch_of([&c] { return CopyAndParseWithRapidXml(c); }));
}

}  // namespace

int main() {
  // Both sides allocate megabytes per call for a large document. Left to itself the
  // allocator returns them to the system after some calls and not others, and the page
  // faults of taking them back then swamp either side at random; keep them.
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  std::printf("ParseAppUpdateInfo vs RapidXML copy + parse\n");
  Compare("worked example", WorkedExample());
  Compare("10,000 components", Generated10k());
  Compare("10,000, UTF-8 captions", Generated10kUtf8());
  return 0;
}
