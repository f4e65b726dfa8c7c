#include "window_rules.h"

#include "key_state.h"

bool isRefusedSystemCommand(std::uintptr_t command)
{
    return command == kScreenSaveCommand || command == kMonitorPowerCommand;
}

bool isTrackedKey(std::uintptr_t virtualKey)
{
    return virtualKey < sizeof(KeyState::down) / sizeof(KeyState::down[0]);
}
