#include "demo.h"

#include <cstdio>

namespace kyb::cli {

int Demo(const Arguments&) {
  std::printf("Démonstration terminée.\n");
  return 0;
}

}  // namespace kyb::cli
