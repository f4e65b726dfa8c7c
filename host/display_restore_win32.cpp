#include <windows.h>

#include "display_restore.h"

#include "display_mode.h"

namespace {

std::optional<DisplayMode> readDisplayMode(DWORD which)
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    if (!EnumDisplaySettingsA(nullptr, which, &mode)) return std::nullopt;
    return DisplayMode{mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel, mode.dmDisplayFrequency};
}

} // namespace

void RestoreStoredDisplayMode()
{
    const auto current = readDisplayMode(ENUM_CURRENT_SETTINGS);
    const auto stored = readDisplayMode(ENUM_REGISTRY_SETTINGS);
    // No mode and no flags: back to the mode in the registry.
    if (DisplayModeNeedsRestore(current, stored)) ChangeDisplaySettingsA(nullptr, 0);
}
