// SPDX-License-Identifier: MIT
// The floor of a C++ program's start: what report_startup_bench.cpp
// compares nachtblick-report's text views with.
#include <iostream>

int main() {
  std::cout << "Hello, world\n";
  return 0;
}
