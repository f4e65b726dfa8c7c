#include "button_logic.h"

void ButtonLogic::Initialize()
{
    ButtonState = kNormal;
    timerRunning = true;
}

Reaction ButtonLogic::mouseMove()
{
    Reaction reaction;
    if (!Enabled) return reaction;
    if (ButtonState == kNormal) {
        ButtonState = kHighLight;
        reaction.draw(Face::HighLight);
    }
    // A press dragged off and back (state 3, button held) does not re-arm.
    if (ButtonState == kSelected && !ButtonDown) {
        ButtonState = kHighLightSelect;
        reaction.draw(Face::HighLightSelect);
    }
    return reaction;
}

Reaction ButtonLogic::buttonDown(bool left)
{
    Reaction reaction;
    if (!Enabled || !left) return reaction;
    ButtonDown = true;
    reaction.draw(Face::Pressed);
    return reaction;
}

Reaction ButtonLogic::buttonUp(bool left)
{
    Reaction reaction;
    if (!Enabled) return reaction;
    if (left) {
        ButtonDown = false;
        if (ButtonState == kHighLight) reaction.draw(Face::Normal);
        if (ButtonState == kHighLightSelect) reaction.draw(Face::HighLightSelect);
    }
    if (ButtonState != kSelected) reaction.click = true;
    return reaction;
}

Reaction ButtonLogic::focusGained()
{
    Reaction reaction;
    if (!Enabled) return reaction;
    if (ButtonState != kHighLight) {
        ButtonState = kSelected;
        reaction.draw(Face::Selected);
    } else {
        ButtonState = kHighLightSelect;
        reaction.draw(Face::Pressed);
    }
    return reaction;
}

Reaction ButtonLogic::focusLost()
{
    Reaction reaction;
    if (!Enabled || ButtonState == kNormal) return reaction;
    ButtonState = kNormal;
    reaction.draw(Face::Normal);
    return reaction;
}

Reaction ButtonLogic::timerTick(bool pointerOverControl)
{
    if (pointerOverControl) return Reaction();
    return MouseLeave();
}

Reaction ButtonLogic::MouseLeave()
{
    Reaction reaction;
    if (!Enabled) return reaction;
    if (ButtonState == kHighLight) {
        ButtonState = kNormal;
        reaction.draw(Face::Normal);
    } else if (ButtonState == kHighLightSelect) {
        ButtonState = kSelected;
        reaction.draw(Face::Selected);
    }
    return reaction;
}

void ButtonLogic::chooseGradientDirection()
{
    if (ButtonState == kNormal || ButtonState == kSelected) GradientReversed = false;
    if (ButtonState == kHighLight) GradientReversed = true;
}
