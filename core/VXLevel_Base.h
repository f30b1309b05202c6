// Base of every level and screen.  Each subclass has one object for the
// whole run (built by the start-up step, see StartupGlobals.h); the main loop
// runs it through Initialize, Update once a frame, and Free.
#pragma once

#include <cstdint>
#include <string>

namespace FrameWork {

class VXLevel_Base {
public:
    VXLevel_Base();
    virtual ~VXLevel_Base();
    // A fresh object of the same class, or null for the single-instance
    // screens and the editor.
    virtual VXLevel_Base* Create() = 0;
    virtual void Initialize() = 0;
    virtual void Update() = 0;
    virtual void Free() = 0;

    std::string name;
};

// How many level objects are alive.  Subclass constructors raise it (through
// the base constructor); the base destructor lowers it and, when it falls
// below 1, empties g_clonedOwnerType.
extern int32_t g_liveLevels;

}  // namespace FrameWork
