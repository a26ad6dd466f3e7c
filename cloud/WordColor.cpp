#include "WordColor.h"

#include <cstdlib>

int StdRandomSource::draw()
{
    return std::rand();
}

namespace {

float drawComponent(RandomSource &random)
{
    return static_cast<float>(random.draw() % 101) / 100.0f;
}

} // namespace

WordColor drawWordColor(RandomSource &random)
{
    WordColor color;
    color.red = drawComponent(random);
    color.blue = drawComponent(random);
    color.green = drawComponent(random);
    if (color.red + color.green + color.blue > 2.5f) {
        switch (random.draw() % 3) {
        case 0:
            color.red -= 0.5f;
            break;
        case 1:
            color.green -= 0.5f;
            break;
        default:
            color.blue -= 0.5f;
            break;
        }
    }
    return color;
}
