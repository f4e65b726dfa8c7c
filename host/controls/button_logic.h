#pragma once
// The Command button's states and transitions, free of any window: what
// each trigger does to the state and which faces it draws, in order.

#include <cstdint>

// How often a button looks whether the mouse is still over it.
constexpr std::uint32_t kHoverPollMs = 100;

// The six state images. Pressed and Disable are faces, never states.
enum class Face { Normal, HighLight, Pressed, Disable, Selected, HighLightSelect };

// 0 not yet initialised; 1 Normal; 2 HighLight; 3 Selected; 4 HighLightSelect.
enum ButtonStates : std::uint8_t { kUninitialised = 0, kNormal = 1, kHighLight = 2, kSelected = 3, kHighLightSelect = 4 };

// What the control must do after a trigger: draw these faces in order, then
// raise Click when asked.
struct Reaction {
    Face faces[2] = {Face::Normal, Face::Normal};
    int faceCount = 0;
    bool click = false;

    void draw(Face face) { faces[faceCount++] = face; }
};

struct ButtonLogic {
    std::uint8_t ButtonState = kUninitialised;
    bool ButtonDown = false;
    bool GradientReversed = false;
    bool Enabled = false;
    bool timerRunning = false;

    // Starts the hover poll; draws nothing.
    void Initialize();

    Reaction mouseMove();
    Reaction buttonDown(bool left);
    Reaction buttonUp(bool left);
    Reaction focusGained();
    Reaction focusLost();
    // The hover poll: pointerOverControl is whether the topmost window under
    // the pointer is the control's own.
    Reaction timerTick(bool pointerOverControl);
    Reaction MouseLeave();

    // Normal when enabled, else Disable; the state is not changed.
    Face enabledFace() const { return Enabled ? Face::Normal : Face::Disable; }

    // Chosen by DrawFace before it renders: reversed (dark top) under the
    // mouse without focus; states 0 and 4 keep the previous direction.
    void chooseGradientDirection();
};
