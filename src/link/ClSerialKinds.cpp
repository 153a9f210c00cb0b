// The Camera Link library kinds behind link modes 1 to 3.
#include "link/ClSerialKind.h"

ClSerialKind* GetClSerialKind(int /*linkMode*/) { return nullptr; }
