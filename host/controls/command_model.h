#pragma once
// The Command button without its window: the state machine, the public
// properties with their persistence, and the face-drawing decisions. The
// window side renders faces and raises Click through the hooks.

#include <cstdint>
#include <string>

#include "button_logic.h"
#include "property_store.h"

class CommandModel {
public:
    virtual ~CommandModel() = default;

    // Public members, in the order of the control's interface.
    void Initialize();
    void setVisible(std::uint8_t visible);
    std::uint8_t Visible();
    void setFontColour(std::uint32_t colour);
    std::uint32_t FontColour();
    bool Enabled();
    void setEnabled(bool enabled);
    const std::wstring& Caption() const { return caption_; }
    void setCaption(const std::wstring& caption);
    const FontSpec& Font() const { return font_; }
    void setFont(const FontSpec& font);

    void LoadStoredProperties(const PropertyStore& store, const FontSpec& ambientFont);
    void SaveStoredProperties(PropertyStore& store, const FontSpec& ambientFont);

    // Triggers from the window system.
    void mouseMove() { apply(logic_.mouseMove()); }
    void buttonDown(bool left) { apply(logic_.buttonDown(left)); }
    void buttonUp(bool left) { apply(logic_.buttonUp(left)); }
    void focusGained() { apply(logic_.focusGained()); }
    void focusLost() { apply(logic_.focusLost()); }
    void timerTick(bool pointerOverControl) { apply(logic_.timerTick(pointerOverControl)); }
    void sizeChanged() { ShowEnabledFace(); }

    void DrawFace(Face face);
    void ShowEnabledFace();
    void ResetFace();

    const ButtonLogic& logic() const { return logic_; }
    bool captionEnabled() const { return captionEnabled_; }
    // The caption colour for painting; unlike FontColour() it redraws nothing.
    std::uint32_t captionColour() const { return fontColour_; }
    bool opaque() const { return opaque_; }
    std::uint8_t FirstRunFlag() const { return firstRunFlag_; }

protected:
    // Renders the whole face from the state image; the logic has already
    // chosen the gradient direction.
    virtual void renderFace(Face face) = 0;
    virtual void raiseClick() {}
    virtual void startHoverPoll() {}
    virtual void captionChanged() {}
    virtual void NotifyPropertyChanged(const char* /*key*/) {}

private:
    void apply(const Reaction& reaction);

    ButtonLogic logic_;
    std::wstring caption_ = L"Command";
    FontSpec font_ = {L"ＭＳ Ｐゴシック"};
    std::uint32_t fontColour_ = 0;
    bool opaque_ = true;
    bool captionEnabled_ = true;
    std::uint8_t firstRunFlag_ = 0;
};
