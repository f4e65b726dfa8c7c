#pragma once
#include <cstdint>

// Key-down flags indexed by virtual-key code, filled by the window procedure.
struct KeyState {
    std::uint32_t down[256];
};

constexpr int kEscapeKey = 27;

inline void clearKeyState(KeyState& keys)
{
    for (std::uint32_t& flag : keys.down) flag = 0;
}
