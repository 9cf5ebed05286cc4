#pragma once
#include "commandes.h"

namespace kyb::cli {

// Builds a sample genealogy in a temporary directory and walks through what the library does.
int Demo(const Arguments& args);

}  // namespace kyb::cli
