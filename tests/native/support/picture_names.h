#pragma once
// Which picture file the renderer's resource script gives a bitmap resource id.

#include <string>

// The file as renderer/renderer.rc writes it (relative to renderer/); empty
// when the script has none.
std::string pictureFileName(int resourceId);
