// Peak memory of `vorn update-check` on a large document, against its peer, RapidXML's
// parse alone of the same text (the file read, copied and parsed whole, as a program
// that used the parser directly would). Each run happens in a child process whose peak
// resident set size the kernel reports when it ends; the counters give it in MB and as a
// multiple of the document's size. VORN_RSS_DOC_MB sets the size (default 150).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <rapidxml/rapidxml.hpp>
#include <string>

namespace {

struct Files {
  std::string document;
  std::string installed;
  double document_mb = 0;
};

// Components with the attributes that update documents carry, one group per top-level
// element; the installed list matches two of them.
const Files& LargeDocument() {
  static const Files files = [] {
    const char* env = std::getenv("VORN_RSS_DOC_MB");
    const double target_mb = env != nullptr ? std::atof(env) : 150.0;
    Files f;
    f.document = "/tmp/vorn_rss_bench_" + std::to_string(getpid()) + ".xml";
    f.installed = f.document + ".installed";
    std::ofstream out(f.document, std::ios::binary);
    out << "<?xml version='1.0' encoding='utf-8' ?>\n";
    size_t size = 0;
    for (int i = 0; size < target_mb * 1024 * 1024; ++i) {
      const std::string n = std::to_string(i);
      const std::string group = "<group" + n + " caption=\"group " + n + " caption\">\n  <file" + n +
                                "_a version=\"1.2.3.4\" caption=\"file " + n + " a\" filename=\"file" + n +
                                "_a.dll\" link=\"https://example.invalid/file" + n +
                                "_a\" rlpath=\"dlls\" upmethod=\"silentdown\"/>\n  <file" + n +
                                "_b version=\"2.0.0.1\" caption=\"file " + n + " b\" filename=\"file" + n +
                                "_b.dll\" link=\"https://example.invalid/file" + n + "_b\"/>\n</group" + n + ">\n";
      out << group;
      size += group.size();
    }
    f.document_mb = static_cast<double>(size) / (1024 * 1024);
    std::ofstream(f.installed) << "file7_a 1.0\nfile99_b 1.0\n";
    return f;
  }();
  return files;
}

struct Cleanup {
  ~Cleanup() {
    std::remove(LargeDocument().document.c_str());
    std::remove(LargeDocument().installed.c_str());
  }
};

// Runs `child` in a new process; its peak resident set size in MB, or -1 when it failed.
template <class Child>
double PeakMegabytes(Child child) {
  const pid_t pid = fork();
  if (pid == 0) _exit(child());
  int status = 0;
  struct rusage usage {};
  if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) > 1) return -1;
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
}

void Report(benchmark::State& state, double peak_mb) {
  if (peak_mb < 0) state.SkipWithError("the child process failed");
  const double doc_mb = LargeDocument().document_mb;
  state.counters["doc_MB"] = doc_mb;
  state.counters["peak_MB"] = peak_mb;
  state.counters["peak_per_doc"] = peak_mb / doc_mb;
}

void BM_VornUpdateCheck(benchmark::State& state) {
  const Files& f = LargeDocument();
  double peak = 0;
  for (auto _ : state) {
    peak = PeakMegabytes([&] {
      if (freopen("/dev/null", "w", stdout) == nullptr) return 2;
      execl(VORN_PROGRAM, "vorn", "update-check", f.document.c_str(), "--installed", f.installed.c_str(),
            static_cast<char*>(nullptr));
      return 2;
    });
  }
  Report(state, peak);
}

void BM_RapidXmlParseWhole(benchmark::State& state) {
  const Files& f = LargeDocument();
  double peak = 0;
  for (auto _ : state) {
    peak = PeakMegabytes([&] {
      std::ifstream in(f.document, std::ios::binary);
      std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      std::unique_ptr<char[]> copy(new char[text.size() + 1]);
      text.copy(copy.get(), text.size());
      copy[text.size()] = 0;
      auto document = std::make_unique<rapidxml::xml_document<char>>();
      document->parse<0>(copy.get());
      benchmark::DoNotOptimize(document->first_node());
      return 0;
    });
  }
  Report(state, peak);
}

const Cleanup cleanup;

BENCHMARK(BM_VornUpdateCheck)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RapidXmlParseWhole)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
