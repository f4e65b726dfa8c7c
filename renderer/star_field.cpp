#include "star_field.h"

#include <cstdlib>

void seedStarField(StarField& stars, unsigned seed)
{
    std::srand(seed);
    for (Star& star : stars) {
        star.x = static_cast<float>(std::rand() % 180 - 90);
        star.y = static_cast<float>(std::rand() % 150 - 75);
    }
}
