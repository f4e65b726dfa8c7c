#pragma once
// Test-side supply of the texture pictures: the committed picture files, as
// the renderer's resource script names them, or plain test pictures of one
// or two colours, with any picture made to go missing. Everything is keyed by
// bitmap resource id, so a test states which picture a body must wear without
// going through the renderer's own load order.

#include <map>
#include <set>
#include <string>
#include <utility>

#include "offscreen_gl.h"
#include "picture_names.h"

struct PictureSource {
    bool useFiles = true;                            // else plain test pictures
    std::map<int, Rgb> solidColours;                 // absent = mid grey
    std::map<int, std::pair<Rgb, Rgb>> twoTone;      // upper half, lower half, as the picture is seen
    std::set<int> filesFor;                          // taken from the files even so
    std::set<int> missingResources;                  // "not there"
};

// Reset to the committed picture files, nothing missing.
PictureSource& pictureSource();
void resetPictureSource();

