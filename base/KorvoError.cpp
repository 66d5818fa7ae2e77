// Anchors the base library; the error classes are header-only.
#include "base/korvobase.h"
