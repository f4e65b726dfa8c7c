#include "picture_names.h"

#include <fstream>
#include <sstream>

std::string pictureFileName(int resourceId)
{
    // Lines such as: 107 BITMAP "pictures/mercury.bmp"
    std::ifstream script(std::string(RENDERER_SOURCE_DIR) + "/renderer.rc");
    std::string line;
    while (std::getline(script, line)) {
        std::istringstream words(line);
        int id = 0;
        std::string kind, quoted;
        if (!(words >> id >> kind >> quoted) || id != resourceId || kind != "BITMAP") continue;
        if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') return "";
        return quoted.substr(1, quoted.size() - 2);
    }
    return "";
}
