// Anchor of the kybase static library, which carries every subsystem library with it.
#include "version.h"

extern "C" const char* kybase_version() { return KYBASE_VERSION; }
