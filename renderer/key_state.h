#pragma once
// Key flags indexed by virtual-key code, filled by the window procedure and
// read by the animation step.

#include <cstdint>

// `down` follows the key. `pressed` remembers a key-down until an animation
// step has seen it: on a busy machine or between slow frames a tap's key-down
// and key-up can both arrive before the next step, and the tap must still count.
struct KeyState {
    std::uint32_t down[256];
    std::uint32_t pressed[256];
};

constexpr int kEscapeKey = 27;

// Virtual-key codes the flags record; others get default processing.
constexpr bool isTrackedKey(std::uintptr_t virtualKey)
{
    return virtualKey < sizeof(KeyState::down) / sizeof(KeyState::down[0]);
}

inline void clearKeyState(KeyState& keys)
{
    for (std::uint32_t& flag : keys.down) flag = 0;
    for (std::uint32_t& flag : keys.pressed) flag = 0;
}

// A new window starts with no key held: a key-up may have gone to the old
// window. A press no step has seen yet is kept, so clearing never drops a tap.
inline void forgetHeldKeys(KeyState& keys)
{
    for (std::uint32_t& flag : keys.down) flag = 0;
}

inline void recordKeyDown(KeyState& keys, std::uintptr_t virtualKey)
{
    if (!isTrackedKey(virtualKey)) return;
    keys.down[virtualKey] = 1;
    keys.pressed[virtualKey] = 1;
}

inline void recordKeyUp(KeyState& keys, std::uintptr_t virtualKey)
{
    if (isTrackedKey(virtualKey)) keys.down[virtualKey] = 0;
}

// For the animation step: true while the key is held or when it was pressed
// since the last step that asked. Forgets the press it reports.
inline bool takeKeyPress(KeyState& keys, int virtualKey)
{
    const bool seen = keys.down[virtualKey] == 1 || keys.pressed[virtualKey] == 1;
    keys.pressed[virtualKey] = 0;
    return seen;
}
