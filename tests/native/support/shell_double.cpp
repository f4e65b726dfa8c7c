#include "shell_double.h"

#include "shell_services.h"

void postQuit(RenderWindow& window)
{
    ++window.quitRequests;
}
