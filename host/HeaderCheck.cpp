// Compiles every public header of the host on its own.
#include "host/Host.h"
#include "host/UserObjects.h"
