#pragma once
// What the renderer's window procedure accepts, kept free of windows.h so
// the rules can be tested natively.

#include <cstdint>

// System commands the show refuses: the screen saver starting and the
// monitor powering down. The whole wParam is compared, low bits included.
constexpr std::uintptr_t kScreenSaveCommand = 0xF140;
constexpr std::uintptr_t kMonitorPowerCommand = 0xF170;

bool isRefusedSystemCommand(std::uintptr_t command);
