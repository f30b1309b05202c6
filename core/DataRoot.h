// Where the game's data lives: "../VXEngine/data/" relative to the working
// directory (images in img/, sounds in audio/, the font in font/, shader
// sources in bin/, object files in objects/).
#pragma once

#include <string>

namespace FrameWork {

inline constexpr char kDataRoot[] = "../VXEngine/data/";

// kDataRoot followed by `relative`.
inline std::string DataPath(const std::string& relative) {
    return kDataRoot + relative;
}

}  // namespace FrameWork
