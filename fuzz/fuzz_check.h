// The one way a fuzz target reports a broken invariant: print what was
// expected and where, then abort, which libFuzzer records as a crash and
// saves the input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>

#define QXQY_FUZZ_CHECK(condition, ...)                                                        \
  do {                                                                                         \
    if (!(condition)) {                                                                        \
      std::fprintf(stderr, "%s:%d: invariant broken: %s\n  ", __FILE__, __LINE__, #condition); \
      std::fprintf(stderr, __VA_ARGS__);                                                       \
      std::fprintf(stderr, "\n");                                                              \
      std::abort();                                                                            \
    }                                                                                          \
  } while (0)
