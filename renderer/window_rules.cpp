#include "window_rules.h"

bool isRefusedSystemCommand(std::uintptr_t command)
{
    return command == kScreenSaveCommand || command == kMonitorPowerCommand;
}
