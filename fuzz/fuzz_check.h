// The property check of the fuzz targets: a property that does not hold is a finding, like a
// crash, so it aborts with the place and the condition.
#pragma once

#include <cstdio>
#include <cstdlib>

#define CHECK(cond)                                                                       \
  do {                                                                                    \
    if (!(cond)) {                                                                        \
      std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                                       \
    }                                                                                     \
  } while (0)
