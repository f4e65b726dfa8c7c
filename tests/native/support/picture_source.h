#pragma once
// Test-side supply of the texture pictures: the committed picture files, or
// plain single-colour pictures, with any picture made to go missing.

#include <map>
#include <set>

#include "offscreen_gl.h"

struct PictureSource {
    bool useFiles = true;                 // else solid colours
    std::map<int, Rgb> solidColours;      // by texture index; absent = mid grey
    std::set<int> filesFor;               // texture indices taken from the files even so
    std::set<int> missingResources;       // resource ids that "are not there"
};

// Reset to the committed picture files, nothing missing.
PictureSource& pictureSource();
void resetPictureSource();

// The resource id's picture file path in the source tree.
const char* pictureFileName(int resourceId);
