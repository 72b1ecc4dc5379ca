// One log line to one file, flushed: the library's writer against a bare fprintf + fflush
// of the same line (the floor) and against spdlog's basic file sink flushing every line.
#include <benchmark/benchmark.h>
#include <spdlog/sinks/basic_file_sink.h>
#include <spdlog/spdlog.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>

#include "alloc_counter.h"
#include "platform/process.h"
#include "vorn/log.h"

namespace {

const char kText[] = "request served from cache";

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vorn_bench_XXXXXX").string();
    path_ = mkdtemp(pattern.data()) != nullptr ? pattern : std::string("/tmp");
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string file(const char* name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

void report_allocations(benchmark::State& state, uint64_t before) {
  state.counters["allocs/line"] =
      static_cast<double>(vorn_bench::allocation_count() - before) / static_cast<double>(state.iterations());
}

void BM_VornLogInfo(benchmark::State& state) {
  TempDir dir;
  Vorn_Log_QuickInit("bench", dir.file("vorn.log").c_str(), 1, 1, 0);
  int i = 0;
  Vorn_Log_Info("%d %s", i, kText);  // the thread's record exists from here on
  const uint64_t before = vorn_bench::allocation_count();
  for (auto _ : state) Vorn_Log_Info("%d %s", ++i, kText);
  report_allocations(state, before);
  Vorn_Log_Close_all();
}

void BM_FprintfFloor(benchmark::State& state) {
  TempDir dir;
  FILE* f = std::fopen(dir.file("floor.log").c_str(), "w+b");
  const int pid = getpid();
  const int tid = static_cast<int>(vorn::platform::current_thread_id());
  const time_t now = time(nullptr);
  tm t{};
  localtime_r(&now, &t);
  int i = 0;
  const uint64_t before = vorn_bench::allocation_count();
  for (auto _ : state) {
    std::fprintf(f, "[I-bench(%d-%d) %02d:%02d:%02d]:%d %s\r\n", pid, tid, t.tm_hour, t.tm_min, t.tm_sec, ++i, kText);
    std::fflush(f);
  }
  report_allocations(state, before);
  std::fclose(f);
}

void BM_SpdlogBasicFileSink(benchmark::State& state) {
  TempDir dir;
  auto logger = spdlog::basic_logger_mt("bench", dir.file("spdlog.log"), true);
  logger->set_pattern("[%L-bench(%P-%t) %H:%M:%S]:%v");
  logger->flush_on(spdlog::level::trace);
  int i = 0;
  logger->info("{} {}", i, kText);
  const uint64_t before = vorn_bench::allocation_count();
  for (auto _ : state) logger->info("{} {}", ++i, kText);
  report_allocations(state, before);
  spdlog::drop("bench");
}

}  // namespace

BENCHMARK(BM_FprintfFloor);
BENCHMARK(BM_VornLogInfo);
BENCHMARK(BM_SpdlogBasicFileSink);
