// The settings dialog in this process, moved to monitors of other scales by
// the message Windows sends then. NOTE: Wine never sends it, so the test does.

#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "settings/settings_dialog.h"
#include "settings/settings_file.h"

namespace {

// The dialog's layout in twips, at a DPI: twips × DPI / 1440, rounded.
int px(int twips, int dpi)
{
    return (twips * dpi + 720) / 1440;
}

// Left, top, right, bottom of a control given in twips (left, top, width, height).
RECT expected(int left, int top, int width, int height, int dpi)
{
    return {px(left, dpi), px(top, dpi), px(left, dpi) + px(width, dpi), px(top, dpi) + px(height, dpi)};
}

// A child's place in its parent's client area.
RECT placeOf(HWND child)
{
    RECT place = {};
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

void expectPlace(HWND child, const RECT& want, const char* name, int dpi)
{
    ASSERT_NE(child, nullptr) << name;
    const RECT got = placeOf(child);
    EXPECT_TRUE(EqualRect(&got, &want)) << name << " at " << dpi << " dpi: " << got.left << " " << got.top << " "
                                        << got.right << " " << got.bottom;
}

COLORREF pixelOf(HWND window, int x, int y)
{
    UpdateWindow(window);
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

int fontHeight(HFONT font)
{
    LOGFONTW spec = {};
    return GetObjectW(font, sizeof(spec), &spec) != 0 ? spec.lfHeight : 0;
}

void checkLayout(HWND dialog, int dpi, POINT corner)
{
    RECT outer, client;
    GetWindowRect(dialog, &outer);
    GetClientRect(dialog, &client);
    EXPECT_EQ(outer.left, corner.x) << dpi << " dpi: where Windows suggested";
    EXPECT_EQ(outer.top, corner.y) << dpi << " dpi";
    EXPECT_EQ(client.right, px(7425, dpi)) << dpi << " dpi";
    EXPECT_EQ(client.bottom, px(3690, dpi)) << dpi << " dpi";

    HWND panel = FindWindowExW(dialog, nullptr, L"Velmorani_P_Panel", nullptr);
    expectPlace(panel, expected(180, 240, 7035, 2475, dpi), "Pic_C", dpi);
    expectPlace(FindWindowExW(dialog, nullptr, L"Command", L"設定"), expected(4740, 3000, 1215, 375, dpi), "Cmd_Set",
                dpi);
    expectPlace(FindWindowExW(dialog, nullptr, L"Command", L"ｷｬﾝｾﾙ"), expected(6000, 3000, 1215, 375, dpi),
                "Cmd_Can", dpi);
    expectPlace(FindWindowExW(panel, nullptr, L"Command", L"..."), expected(420, 1680, 615, 375, dpi), "Cmd_File",
                dpi);
    HWND list = FindWindowExW(panel, nullptr, L"ComboBox", nullptr);
    ASSERT_NE(list, nullptr);
    const RECT listPlace = placeOf(list);
    EXPECT_EQ(listPlace.left, px(1680, dpi)) << "BGM_Repeat at " << dpi << " dpi";
    EXPECT_EQ(listPlace.top, px(780, dpi)) << "BGM_Repeat at " << dpi << " dpi";
    EXPECT_EQ(listPlace.right - listPlace.left, px(615, dpi)) << "BGM_Repeat at " << dpi << " dpi";
    // 9.75 point at this DPI.
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
    EXPECT_EQ(fontHeight(font), -static_cast<int>(std::lround(9.75 * dpi / 72))) << dpi << " dpi";

    // The marked box of choice 0 (nothing loaded): 180 twips across, its blue three quarters in.
    const int box = px(180, dpi);
    const COLORREF marked = pixelOf(panel, px(420, dpi) + box * 3 / 4, px(1140, dpi) + box * 3 / 4);
    EXPECT_GT(GetBValue(marked), GetRValue(marked) + 60) << "the box at " << dpi << " dpi";
    // The strip tiles the whole new panel: brushed metal in its far corner.
    RECT inside;
    GetClientRect(panel, &inside);
    const COLORREF metal = pixelOf(panel, inside.right - 4, inside.bottom - 4);
    EXPECT_TRUE(GetRValue(metal) > 150 && GetRValue(metal) < 240) << "the strip at " << dpi << " dpi";
    // The OK button's frame: its one-pixel border line scaled with the face.
    const COLORREF border = pixelOf(FindWindowExW(dialog, nullptr, L"Command", L"設定"), px(600, dpi), dpi * 3 / 192);
    EXPECT_LT(GetRValue(border), 40) << "the OK button's border at " << dpi << " dpi";
    EXPECT_GT(GetBValue(border), 90) << "the OK button's border at " << dpi << " dpi";
    // The gradient covers the whole new client area: pale half way down the right edge.
    const COLORREF middle = pixelOf(dialog, client.right - 4, client.bottom / 2);
    EXPECT_GT(GetRValue(middle), 180) << "the background at " << dpi << " dpi";
    EXPECT_GT(GetBValue(middle), GetRValue(middle)) << "the background at " << dpi << " dpi";
}

int ticks = 0;
bool checked = false;

// Runs inside the dialog's own message loop, once the dialog shows.
void CALLBACK moveAcrossMonitors(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindWindowW(nullptr, L"<Sorvelin>");
    if (dialog == nullptr || !IsWindowVisible(dialog)) {
        if (++ticks > 300) {   // it never showed: give up
            KillTimer(nullptr, timer);
            PostQuitMessage(1);
        }
        return;
    }
    KillTimer(nullptr, timer);
    HWND list = FindWindowExW(FindWindowExW(dialog, nullptr, L"Velmorani_P_Panel", nullptr), nullptr, L"ComboBox",
                              nullptr);
    int from = 96;
    POINT corner = {0, 0};
    for (int dpi : {144, 192, 96}) {
        const HFONT before = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
        RECT outer;
        GetWindowRect(dialog, &outer);
        // As Windows suggests it: the window scaled about a new corner on the other monitor.
        corner = {corner.x + 16, corner.y + 8};
        RECT suggested = {corner.x, corner.y, corner.x + (outer.right - outer.left) * dpi / from,
                          corner.y + (outer.bottom - outer.top) * dpi / from};
        SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        checkLayout(dialog, dpi, corner);
        EXPECT_EQ(GetObjectType(before), 0u) << "the font before " << dpi << " dpi was deleted";
        from = dpi;
    }
    checked = true;
    PostMessageW(dialog, WM_CLOSE, 0, 0);
}

TEST(DialogOnPlatform, MovedToMonitorsOfOtherScalesItIsLaidOutAgainFromTwips)
{
    BGM_Kind = 0;
    SettingsFileUnread = false;
    ASSERT_NE(SetTimer(nullptr, 0, 100, moveAcrossMonitors), 0u);
    ShowSettingsDialog();
    EXPECT_TRUE(checked) << "the dialog showed and was moved";
    EXPECT_EQ(FindWindowW(nullptr, L"<Sorvelin>"), nullptr) << "closed";
}

} // namespace
