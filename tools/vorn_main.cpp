// vorn: the command-line face of vorn_common. For now it shows a few of the
// library's services on built-in samples.
#include <cstdio>

#include "vorn/vorn_common.h"

int main() {
  char number[12];
  std::printf("Vorn_IToA(-2147483648) = %s\n", Vorn_IToA(INT32_MIN, number));
  int64_t values[] = {5, -3, 9, 0, -7, 2, 8};
  QuickSort_Create64(values, sizeof values / sizeof values[0]);
  std::printf("QuickSort_Create64:");
  for (int64_t v : values) std::printf(" %lld", static_cast<long long>(v));
  std::printf("\n");
  return 0;
}
