// A 64 MB file read whole and written whole: the library's helpers against plain
// fopen + fread / fwrite of the same file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "vorn/files.h"

namespace {

constexpr uint32_t kSize = 64u << 20;

struct Fixture {
  std::string dir;
  std::string path;
  std::unique_ptr<char[]> data;

  Fixture() : data(new char[kSize]) {
    std::string pattern = (std::filesystem::temp_directory_path() / "vorn_bench_XXXXXX").string();
    dir = mkdtemp(pattern.data()) != nullptr ? pattern : std::string("/tmp");
    path = dir + "/whole.bin";
    for (uint32_t i = 0; i < kSize; ++i) data[i] = static_cast<char>(i * 2654435761u >> 24);
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(data.get(), 1, kSize, f);
    std::fclose(f);
  }
  ~Fixture() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }
};

Fixture& fixture() {
  static Fixture f;
  return f;
}

void BM_VornReadFileA(benchmark::State& state) {
  const char* path = fixture().path.c_str();
  for (auto _ : state) {
    char* out = nullptr;
    benchmark::DoNotOptimize(Vorn_ReadFileA(path, &out));
    delete[] out;
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kSize);
}

void BM_PlainFread(benchmark::State& state) {
  const char* path = fixture().path.c_str();
  for (auto _ : state) {
    FILE* f = std::fopen(path, "rb");
    std::fseek(f, 0, SEEK_END);
    const long size = std::ftell(f);
    std::fseek(f, 0, SEEK_SET);
    char* out = new char[static_cast<size_t>(size)];
    benchmark::DoNotOptimize(std::fread(out, 1, static_cast<size_t>(size), f));
    std::fclose(f);
    delete[] out;
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kSize);
}

void BM_VornWriteFileA(benchmark::State& state) {
  const std::string path = fixture().dir + "/out_vorn.bin";
  const char* data = fixture().data.get();
  for (auto _ : state) benchmark::DoNotOptimize(Vorn_WriteFileA(path.c_str(), data, kSize));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kSize);
}

void BM_PlainFwrite(benchmark::State& state) {
  const std::string path = fixture().dir + "/out_plain.bin";
  const char* data = fixture().data.get();
  for (auto _ : state) {
    FILE* f = std::fopen(path.c_str(), "w+b");
    benchmark::DoNotOptimize(std::fwrite(data, 1, kSize, f));
    std::fclose(f);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kSize);
}

}  // namespace

BENCHMARK(BM_PlainFread)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VornReadFileA)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainFwrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VornWriteFileA)->Unit(benchmark::kMillisecond);
