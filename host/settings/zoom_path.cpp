#include "zoom_path.h"

ZoomFrames ZoomFramesFor(bool opening, const ZoomRect& window, std::int16_t pointX, std::int16_t pointY)
{
    const ZoomRect point = {pointX, pointY, pointX, pointY};
    return opening ? ZoomFrames{point, window} : ZoomFrames{window, point};
}
