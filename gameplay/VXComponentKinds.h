// The one table of component kinds: for each type id how it is made and
// which manager list it joins.  The object manager, the factory
// registry (objects/ComponentFactory) and AddComponentById walk it; adding a
// kind touches its own files and this table.
#pragma once

#include "objects/ComponentFactory.h"

namespace FrameWork {

// The table, in the start-up order of the registry.
const ComponentKind* ComponentKindTable(size_t& count);

// Installs the table in the registry (the start-up step); a second call
// changes nothing.
void BuildComponentFactories();

}  // namespace FrameWork
