#include "display_mode.h"

namespace {

bool isDefaultFrequency(std::uint32_t hertz)
{
    return hertz <= 1;
}

} // namespace

bool DisplayModeNeedsRestore(const std::optional<DisplayMode>& current, const std::optional<DisplayMode>& stored)
{
    if (!current || !stored) return false;
    if (current->width != stored->width || current->height != stored->height || current->bits != stored->bits) {
        return true;
    }
    if (isDefaultFrequency(current->frequency) || isDefaultFrequency(stored->frequency)) return false;
    return current->frequency != stored->frequency;
}
