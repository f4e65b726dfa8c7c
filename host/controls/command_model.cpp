#include "command_model.h"

void CommandModel::apply(const Reaction& reaction)
{
    for (int i = 0; i < reaction.faceCount; ++i) DrawFace(reaction.faces[i]);
    // Synchronous: the container's handler runs inside the button-up handling.
    if (reaction.click) raiseClick();
}

void CommandModel::Initialize()
{
    logic_.Initialize();
    startHoverPoll();
}

void CommandModel::DrawFace(Face face)
{
    logic_.chooseGradientDirection();
    renderFace(face);
}

void CommandModel::ShowEnabledFace()
{
    DrawFace(logic_.enabledFace());
    captionEnabled_ = logic_.Enabled;
    captionChanged();
}

void CommandModel::ResetFace()
{
    if (!logic_.Enabled) return;
    captionEnabled_ = true;
    // A control never stored keeps a black caption until its first Enabled read.
    if (firstRunFlag_ == 0) fontColour_ = 0;
    DrawFace(Face::Normal);
    captionChanged();
}

void CommandModel::setVisible(std::uint8_t visible)
{
    opaque_ = visible != 0;
    if (opaque_) ResetFace();
    captionChanged();
    NotifyPropertyChanged("Visible");
}

std::uint8_t CommandModel::Visible()
{
    if (!opaque_) return 0;
    ResetFace();
    return 255;
}

void CommandModel::setFontColour(std::uint32_t colour)
{
    fontColour_ = colour;
    ResetFace();
    NotifyPropertyChanged("FontColour");
}

std::uint32_t CommandModel::FontColour()
{
    const std::uint32_t colour = fontColour_;
    ResetFace();
    return colour;
}

bool CommandModel::Enabled()
{
    if (firstRunFlag_ == 0) {
        ResetFace();
        firstRunFlag_ = 1;
        logic_.Enabled = true;
    }
    const bool enabled = logic_.Enabled;
    ShowEnabledFace();
    return enabled;
}

void CommandModel::setEnabled(bool enabled)
{
    logic_.Enabled = enabled;
    NotifyPropertyChanged("Enabled");
    ShowEnabledFace();
}

void CommandModel::setCaption(const std::wstring& caption)
{
    caption_ = caption;
    captionChanged();
    NotifyPropertyChanged("Caption");
}

void CommandModel::setFont(const FontSpec& font)
{
    font_ = font;
    captionChanged();
    NotifyPropertyChanged("Font");
}

void CommandModel::LoadStoredProperties(const PropertyStore& store, const FontSpec& ambientFont)
{
    // Each step is tried even when an earlier one could not convert its value.
    // A missing caption reads as "Command", the default that saving omits, so
    // a caption survives a save and a load unchanged.
    if (auto enabled = AsBoolean(store.read("Enabled", true))) logic_.Enabled = *enabled;
    if (auto caption = AsText(store.read("Caption", std::wstring(L"Command")))) caption_ = *caption;
    const StoredValue font = store.read("Font", ambientFont);
    if (const FontSpec* spec = std::get_if<FontSpec>(&font)) font_ = *spec;
    if (auto firstRun = AsInteger(store.read("FirstRun", std::int32_t{1}), 0, 255))
        firstRunFlag_ = static_cast<std::uint8_t>(*firstRun);
    if (auto colour = AsInteger(store.read("FontColour", std::int32_t{0}), INT32_MIN, INT32_MAX))
        fontColour_ = static_cast<std::uint32_t>(*colour);
    if (auto visible = AsInteger(store.read("Visible", std::int32_t{1}), -32768, 32767)) opaque_ = *visible != 0;
    ResetFace();
    captionChanged();
}

void CommandModel::SaveStoredProperties(PropertyStore& store, const FontSpec& ambientFont)
{
    store.write("Enabled", logic_.Enabled, true);
    store.write("Caption", caption_, std::wstring(L"Command"));
    store.write("FirstRun", std::int32_t{firstRunFlag_}, std::int32_t{1});
    store.write("Font", font_, ambientFont);
    store.write("FontColour", static_cast<std::int32_t>(fontColour_), std::int32_t{0});
    store.write("Visible", std::int32_t{opaque_ ? 1 : 0}, std::int32_t{1});
    ResetFace();
}
