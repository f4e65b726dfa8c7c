#pragma once
// The saver form's three window timers, in milliseconds. All periodic work of
// a show runs on them, through the host's one message loop.

#include <cstdint>

constexpr std::uint32_t kTimer1Ms = 1000;   // Timer1: the music file's restart poll
constexpr std::uint32_t kTimer2Ms = 200;    // Timer2: the audio CD's poll
constexpr std::uint32_t kTimer3Ms = 500;    // Timer3: the renderer watch
