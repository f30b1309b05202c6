// The objects library's first unit; the game object and component sources
// join it here.
namespace FrameWork {
namespace Objects {
int LibraryAnchor = 0;
}
}  // namespace FrameWork
