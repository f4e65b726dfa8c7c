#include "shell_double.h"

RenderWindow& QuitRecorder::record()
{
    return *reinterpret_cast<RenderWindow*>(this);
}

// Only the recorders' addresses ever reach here (see record()).
void postQuit(RenderWindow& window)
{
    ++reinterpret_cast<QuitRecorder&>(window).quitRequests;
}
