// The GL texture of a sprite sheet: four 8-bit channels, clamped at the
// edges, nearest filtering, with mipmaps.
#pragma once

#include <GL/glew.h>

namespace FrameWork {

// Makes a texture of `width` x `height` pixels from `rgba` (rows from the top
// of the image); a null `rgba` gives a 1 x 1 white texture.  Needs a current
// GL context.
GLuint CreateSheetTexture(const unsigned char* rgba, int width, int height);

}  // namespace FrameWork
