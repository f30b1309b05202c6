#include "gameplay/VXMatchFlow.h"

namespace FrameWork {

// The pause pages, end screens and countdown are built here once the match
// interface exists; for now the flow only tracks whether a match runs.
void VXMatchFlow::LoadStateUI(int flag) {
    matchUI = flag ? 1 : 0;
}
void VXMatchFlow::Update() {}
void VXMatchFlow::Reset() {}
void VXMatchFlow::Clear() {
    matchUI = 0;
}

}  // namespace FrameWork
