// The Command button's transitions, face geometry and colours, and its
// properties with their persistence, without a window.

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "controls/button_face.h"
#include "controls/command_model.h"

namespace {

// Records what the window side would be asked to do.
class RecordingCommand : public CommandModel {
public:
    std::vector<Face> faces;
    std::vector<bool> directions;   // GradientReversed at each render
    int clicks = 0;
    std::vector<std::string> notified;

    void clear()
    {
        faces.clear();
        directions.clear();
    }

protected:
    void renderFace(Face face) override
    {
        faces.push_back(face);
        directions.push_back(logic().GradientReversed);
    }
    void raiseClick() override { ++clicks; }
    void NotifyPropertyChanged(const char* key) override { notified.push_back(key); }
};

// As the dialog loads its buttons: caption and font stored, then Initialize.
void loadAsTheDialogDoes(RecordingCommand& button)
{
    PropertyStore store;
    store.write("Caption", std::wstring(L"設定"), std::wstring(L"Command"));
    const FontSpec ambient = {L"ＭＳ Ｐゴシック"};
    button.LoadStoredProperties(store, ambient);
    button.Initialize();
    button.clear();
}

using Faces = std::vector<Face>;

TEST(CommandButton, LooksForTheMouseTenTimesASecond)
{
    EXPECT_EQ(kHoverPollMs, 100u);
}

TEST(CommandButton, HoverPressAndReleaseOnAnUnfocusedButton)
{
    RecordingCommand button;
    loadAsTheDialogDoes(button);

    button.mouseMove();
    EXPECT_EQ(button.logic().ButtonState, kHighLight);
    button.focusGained();   // focus arrives with the press
    button.buttonDown(true);
    button.buttonUp(true);
    EXPECT_EQ(button.faces, (Faces{Face::HighLight, Face::Pressed, Face::Pressed, Face::HighLightSelect}));
    EXPECT_EQ(button.clicks, 1);

    button.clear();
    button.timerTick(false);   // pointer left
    button.focusLost();
    EXPECT_EQ(button.faces, (Faces{Face::Selected, Face::Normal}));
    EXPECT_EQ(button.logic().ButtonState, kNormal);
}

TEST(CommandButton, HoverGradientRunsDarkToLightAndOthersLightToDark)
{
    RecordingCommand button;
    loadAsTheDialogDoes(button);
    button.mouseMove();
    button.timerTick(false);
    EXPECT_EQ(button.directions, (std::vector<bool>{true, false}));

    // "&HC6C5D7" is RGB(198, 197, 215), "&HFFFFFF" white, each in a channel's high byte.
    const FaceGradient hover = GradientFor(true);
    EXPECT_EQ(hover.top.red, 0xC600);
    EXPECT_EQ(hover.top.green, 0xC500);
    EXPECT_EQ(hover.top.blue, 0xD700);
    EXPECT_EQ(hover.bottom.red, 0xFF00);
    EXPECT_EQ(hover.bottom.green, 0xFF00);
    EXPECT_EQ(hover.bottom.blue, 0xFF00);
    const FaceGradient idle = GradientFor(false);
    EXPECT_EQ(idle.top.red, 0xFF00);
    EXPECT_EQ(idle.top.green, 0xFF00);
    EXPECT_EQ(idle.top.blue, 0xFF00);
    EXPECT_EQ(idle.bottom.red, 0xC600);
    EXPECT_EQ(idle.bottom.green, 0xC500);
    EXPECT_EQ(idle.bottom.blue, 0xD700);
}

TEST(CommandButton, DragOffForATickAndBackRaisesNoClick)
{
    RecordingCommand button;
    loadAsTheDialogDoes(button);
    button.mouseMove();
    button.focusGained();
    button.buttonDown(true);
    button.timerTick(false);   // dragged off for a tick: state 4 → 3
    EXPECT_EQ(button.logic().ButtonState, kSelected);
    button.mouseMove();        // back on, still held: not re-armed
    EXPECT_EQ(button.logic().ButtonState, kSelected);
    button.buttonUp(true);
    EXPECT_EQ(button.clicks, 0);
    EXPECT_EQ(button.faces.back(), Face::Selected);

    // A release before the first tick after leaving still counts.
    button.mouseMove();
    button.buttonDown(true);
    button.buttonUp(true);
    EXPECT_EQ(button.clicks, 1);
}

TEST(CommandButton, RightButtonClicksWithoutThePressedFace)
{
    RecordingCommand button;
    loadAsTheDialogDoes(button);
    button.mouseMove();
    button.clear();
    button.buttonDown(false);
    EXPECT_TRUE(button.faces.empty());
    button.buttonUp(false);
    EXPECT_EQ(button.clicks, 1);
    EXPECT_FALSE(button.logic().ButtonDown);
}

TEST(CommandButton, KeyboardFocusWhileHoveredShowsPressed)
{
    RecordingCommand button;
    loadAsTheDialogDoes(button);
    button.mouseMove();
    button.clear();
    button.focusGained();
    EXPECT_EQ(button.logic().ButtonState, kHighLightSelect);
    EXPECT_EQ(button.faces, (Faces{Face::Pressed}));
    button.timerTick(true);   // still on the button (or its caption): nothing
    EXPECT_EQ(button.faces.size(), 1u);
}

TEST(CommandButton, DisabledButtonIgnoresEverythingAndShowsItsFace)
{
    RecordingCommand button;
    loadAsTheDialogDoes(button);
    button.setEnabled(false);
    EXPECT_EQ(button.faces, (Faces{Face::Disable}));
    EXPECT_FALSE(button.captionEnabled());
    button.clear();
    button.mouseMove();
    button.focusGained();
    button.buttonDown(true);
    button.buttonUp(true);
    button.timerTick(false);
    EXPECT_TRUE(button.faces.empty());
    EXPECT_EQ(button.clicks, 0);
    EXPECT_EQ(button.logic().ButtonState, kNormal);

    button.setEnabled(true);
    EXPECT_EQ(button.faces, (Faces{Face::Normal}));
    EXPECT_TRUE(button.captionEnabled());
}

TEST(CommandButton, NeverInitialisedIgnoresHoverUntilFocused)
{
    RecordingCommand button;
    PropertyStore store;
    button.LoadStoredProperties(store, FontSpec{L"ＭＳ Ｐゴシック"});
    button.clear();
    button.mouseMove();
    EXPECT_TRUE(button.faces.empty());
    EXPECT_FALSE(button.logic().timerRunning);
    button.focusGained();
    button.mouseMove();
    EXPECT_EQ(button.faces, (Faces{Face::Selected, Face::HighLightSelect}));
}

TEST(CommandButtonFace, PiecesForTheDialogsTwoButtonSizes)
{
    struct Size {
        int twips, edgePixels;
    };
    for (const Size size : {Size{1215, 73}, Size{615, 33}}) {
        const auto pieces = FacePieces(size.twips, 375);
        const PixelRect topEdge = ToPixels(pieces[1].destination, 15);
        EXPECT_EQ(topEdge.x, 4);
        EXPECT_EQ(topEdge.y, 0);
        EXPECT_EQ(topEdge.width, size.edgePixels);
        EXPECT_EQ(ToPixels(pieces[1].source, 15).width, 56);
        const PixelRect rightEdge = ToPixels(pieces[3].destination, 15);
        EXPECT_EQ(rightEdge.x, size.twips / 15 - 4);
        EXPECT_EQ(rightEdge.height, 17);   // side strips 1 : 1
        EXPECT_EQ(ToPixels(pieces[3].source, 15).height, 17);
        const PixelRect bottomLeft = ToPixels(pieces[6].destination, 15);
        EXPECT_EQ(bottomLeft.x, 0);
        EXPECT_EQ(bottomLeft.y, 21);
        EXPECT_EQ(bottomLeft.width, 4);
        EXPECT_EQ(ToPixels(pieces[6].source, 15).y, 21);
    }
    EXPECT_DOUBLE_EQ(CaptionTop(375), 80.0);
    EXPECT_DOUBLE_EQ(CaptionTop(400), 92.5);
}

TEST(CommandButtonFace, TwipsBecomeTheNearestWholePixel)
{
    // At 120 dpi (12 twips a pixel) the OK button's top edge is 1095 / 12 = 91.25 pixels.
    EXPECT_EQ(ToPixels(FacePieces(1215, 375)[1].destination, 12).width, 91);
    // At 144 dpi (10 twips a pixel) halves round up: 1095 → 110, 375 → 38, 315 → 32.
    const PixelRect edge = ToPixels(FacePieces(1215, 375)[1].destination, 10);
    EXPECT_EQ(edge.width, 110);
    EXPECT_EQ(ToPixels(FacePieces(1215, 375)[5].destination, 10).y, 32);
    EXPECT_EQ(TwipsToPixels(375, 10), 38);
    EXPECT_EQ(TwipsToPixels(1, 15), 0);      // the 1-twip offsets fall on pixel 0
    EXPECT_EQ(TwipsToPixels(67, 15), 4);     // 4.47
    EXPECT_EQ(TwipsToPixels(68, 15), 5);     // 4.53
}

TEST(CommandProperties, DialogDataLoadsEnabledBlackOpaqueAndNormal)
{
    RecordingCommand button;
    PropertyStore store;
    store.write("Caption", std::wstring(L"ｷｬﾝｾﾙ"), std::wstring(L"Command"));
    button.LoadStoredProperties(store, FontSpec{L"ＭＳ Ｐゴシック"});
    EXPECT_TRUE(button.logic().Enabled);
    EXPECT_EQ(button.FirstRunFlag(), 1);
    EXPECT_TRUE(button.opaque());
    EXPECT_EQ(button.Caption(), L"ｷｬﾝｾﾙ");
    EXPECT_EQ(button.faces, (Faces{Face::Normal}));
    EXPECT_EQ(button.logic().ButtonState, kUninitialised);
}

TEST(CommandProperties, StoredValuesComeBackAndDefaultsAreNotStored)
{
    const FontSpec ambient = {L"ＭＳ Ｐゴシック"};
    RecordingCommand fresh;
    PropertyStore empty;
    fresh.LoadStoredProperties(empty, ambient);
    PropertyStore saved;
    fresh.SaveStoredProperties(saved, ambient);
    EXPECT_TRUE(saved.keys().empty());

    RecordingCommand styled;
    styled.LoadStoredProperties(empty, ambient);
    styled.setCaption(L"Command");
    styled.setFontColour(255);
    FontSpec big = ambient;
    big.points = 12;
    big.weight = 700;
    styled.setFont(big);
    styled.setEnabled(false);
    PropertyStore store;
    styled.SaveStoredProperties(store, ambient);
    EXPECT_EQ(store.keys(), (std::vector<std::string>{"Enabled", "Font", "FontColour"}));

    RecordingCommand loaded;
    loaded.LoadStoredProperties(store, ambient);
    EXPECT_EQ(loaded.Caption(), L"Command");   // a save and a load keep the caption
    EXPECT_EQ(loaded.FontColour(), 255u);      // not forced to black: FirstRun is 1
    EXPECT_EQ(loaded.Font().points, 12);
    EXPECT_EQ(loaded.Font().weight, 700);
    loaded.clear();
    loaded.sizeChanged();
    EXPECT_EQ(loaded.faces, (Faces{Face::Disable}));
}

TEST(CommandProperties, FirstReadOfEnabledEndsTheFirstRunPhase)
{
    RecordingCommand button;   // never stored: all fields zero
    EXPECT_EQ(button.FirstRunFlag(), 0);
    EXPECT_TRUE(button.Enabled());
    EXPECT_EQ(button.FirstRunFlag(), 1);
    button.setFontColour(0x0000FF);
    EXPECT_EQ(button.FontColour(), 0x0000FFu);

    button.setVisible(0);
    EXPECT_EQ(button.Visible(), 0);
    button.setVisible(7);
    EXPECT_EQ(button.Visible(), 255);
    EXPECT_EQ(button.notified, (std::vector<std::string>{"FontColour", "Visible", "Visible"}));
}

TEST(CommandProperties, StoredEnabledConvertsAsABoolean)
{
    struct Case {
        StoredValue stored;
        bool enabled;
    };
    const Case cases[] = {
        {false, false}, {true, true}, {std::int32_t{0}, false}, {std::int32_t{-1}, true},
        {std::int32_t{1}, true}, {std::int32_t{2}, true},
    };
    for (const Case& c : cases) {
        RecordingCommand button;
        PropertyStore store;
        store.write("Enabled", c.stored, std::wstring(L"none"));
        button.LoadStoredProperties(store, FontSpec{L"ＭＳ Ｐゴシック"});
        EXPECT_EQ(button.logic().Enabled, c.enabled) << c.stored.index();
    }
    // A stored true read as a number is -1, as the design data's booleans are.
    EXPECT_EQ(AsInteger(true, -32768, 32767), std::optional<std::int32_t>(-1));
    EXPECT_EQ(AsInteger(false, -32768, 32767), std::optional<std::int32_t>(0));
    EXPECT_EQ(AsBoolean(std::wstring(L"x")), std::nullopt);
}

TEST(CommandProperties, NeverStoredControlKeepsABlackCaptionUntilEnabledIsRead)
{
    RecordingCommand button;   // never stored: FirstRunFlag 0
    button.setEnabled(true);
    button.setFontColour(0x0000FF);
    EXPECT_EQ(button.captionColour(), 0u) << "forced to black while FirstRunFlag is 0";
    EXPECT_EQ(button.FontColour(), 0u);

    EXPECT_TRUE(button.Enabled());   // the first read ends the phase
    button.setFontColour(0x0000FF);
    EXPECT_EQ(button.captionColour(), 0x0000FFu);

    // With FirstRun stored as 0 the same rule holds after loading.
    RecordingCommand stored;
    PropertyStore store;
    store.write("FirstRun", std::int32_t{0}, std::int32_t{1});
    store.write("FontColour", std::int32_t{255}, std::int32_t{0});
    stored.LoadStoredProperties(store, FontSpec{L"ＭＳ Ｐゴシック"});
    EXPECT_EQ(stored.captionColour(), 0u);
}

TEST(CommandProperties, UnconvertibleStoredValueKeepsThePreviousValue)
{
    RecordingCommand button;
    PropertyStore store;
    store.write("FontColour", std::wstring(L"red"), std::int32_t{0});
    store.write("Visible", std::int32_t{70000}, std::int32_t{1});
    button.LoadStoredProperties(store, FontSpec{L"ＭＳ Ｐゴシック"});
    EXPECT_EQ(button.FontColour(), 0u);
    EXPECT_TRUE(button.opaque());
}

} // namespace
