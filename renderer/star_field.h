#pragma once
#include <array>

#include "scene_tables.h"

struct Star {
    float x;   // whole numbers -90 … 89
    float y;   // whole numbers -75 … 74
};

using StarField = std::array<Star, kStarCount>;

// Seeds the runtime's generator and draws x then y for every star in turn.
// The seed has one-second resolution, so two fields made in the same second match.
void seedStarField(StarField& stars, unsigned seed);
