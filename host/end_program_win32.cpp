#include <windows.h>

#include "host_main.h"

void EndProgram()
{
    ExitProcess(0);
}
