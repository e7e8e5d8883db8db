#include "DebugEngine.h"

// The engine's signals are generated into this library.
