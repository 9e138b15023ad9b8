#include <cstdio>

int main() {
  std::puts("1.0");
  return 0;
}
