// Uses the installed library: builds a string, edits it, and sorts numbers.
#include <cstdio>

#include <vorn/vorn_common.h>

int main() {
  TStringA greeting("Hello");
  greeting += ", world";
  greeting.Insert("!", -1, 0);

  int64_t numbers[] = {42, -7, 19, 0};
  QuickSort_Create64(numbers, 4);

  std::printf("%s (%u characters, hash %08x)\n", greeting.p(), greeting.Length(), greeting.hashValue());
  std::printf("sorted: %lld %lld %lld %lld\n", static_cast<long long>(numbers[0]), static_cast<long long>(numbers[1]),
              static_cast<long long>(numbers[2]), static_cast<long long>(numbers[3]));
  return greeting == "Hello, world!" && numbers[0] == -7 ? 0 : 1;
}
