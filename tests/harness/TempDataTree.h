// Moved to tests/support; this forwarder keeps branches that still include
// the old path building until they move over.
#pragma once
#include "tests/support/TempDataTree.h"
