// The settings dialog in this process, moved to monitors of other scales by
// the message Windows sends then. NOTE: Wine never sends it, so the test does.

#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "settings/settings_dialog.h"
#include "settings/settings_file.h"

namespace {

int px(int twips, int dpi)   // the dialog's twips at a DPI, rounded
{
    return (twips * dpi + 720) / 1440;
}

COLORREF pixelOf(HWND window, int x, int y)
{
    UpdateWindow(window);
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

void checkLayout(HWND dialog, int dpi, POINT corner)
{
    SCOPED_TRACE(std::to_string(dpi) + " dpi");
    RECT outer, client;
    GetWindowRect(dialog, &outer);
    GetClientRect(dialog, &client);
    EXPECT_TRUE(outer.left == corner.x && outer.top == corner.y) << "where Windows suggested";
    EXPECT_EQ(client.right, px(7425, dpi));
    EXPECT_EQ(client.bottom, px(3690, dpi));

    HWND panel = FindWindowExW(dialog, nullptr, L"Velmorani_P_Panel", nullptr);
    HWND ok = FindWindowExW(dialog, nullptr, L"Command", L"設定");
    HWND list = FindWindowExW(panel, nullptr, L"ComboBox", nullptr);
    const struct {
        HWND window;
        int left, top, width, height;   // twips; the list's height follows its font
    } places[] = {{panel, 180, 240, 7035, 2475}, {ok, 4740, 3000, 1215, 375},
                  {FindWindowExW(dialog, nullptr, L"Command", L"ｷｬﾝｾﾙ"), 6000, 3000, 1215, 375},
                  {FindWindowExW(panel, nullptr, L"Command", L"..."), 420, 1680, 615, 375},
                  {list, 1680, 780, 615, 0}};
    for (const auto& place : places) {
        RECT at = {};
        GetWindowRect(place.window, &at);
        MapWindowPoints(nullptr, GetParent(place.window), reinterpret_cast<POINT*>(&at), 2);
        EXPECT_TRUE(at.left == px(place.left, dpi) && at.top == px(place.top, dpi) &&
                    at.right - at.left == px(place.width, dpi) &&
                    (place.height == 0 || at.bottom - at.top == px(place.height, dpi)))
            << place.left << " " << place.top << ": " << at.left << " " << at.top << " " << at.right << " " << at.bottom;
    }
    LOGFONTW font = {};   // 9.75 point at this DPI
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)), sizeof(font), &font);
    EXPECT_EQ(font.lfHeight, -std::lround(9.75 * dpi / 72));

    // Pictures at the new scale: the marked box of choice 0 three quarters in, the strip in
    // the panel's far corner, the OK button's border line, the gradient half way down.
    const int box = px(180, dpi) * 3 / 4;
    RECT inside;
    GetClientRect(panel, &inside);
    const COLORREF marked = pixelOf(panel, px(420, dpi) + box, px(1140, dpi) + box);
    const COLORREF metal = pixelOf(panel, inside.right - 4, inside.bottom - 4);
    const COLORREF border = pixelOf(ok, px(600, dpi), dpi * 3 / 192);
    const COLORREF middle = pixelOf(dialog, client.right - 4, client.bottom / 2);
    EXPECT_GT(GetBValue(marked), GetRValue(marked) + 60) << "box";
    EXPECT_TRUE(GetRValue(metal) > 150 && GetRValue(metal) < 240) << "strip";
    EXPECT_TRUE(GetRValue(border) < 40 && GetBValue(border) > 90) << "button";
    EXPECT_TRUE(GetRValue(middle) > 180 && GetBValue(middle) > GetRValue(middle)) << "gradient";
}

int ticks = 0;
bool moved = false;

// Runs inside the dialog's own message loop, once the dialog shows.
void CALLBACK moveAcrossMonitors(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindWindowW(nullptr, L"<Sorvelin>");
    if ((dialog == nullptr || !IsWindowVisible(dialog)) && ++ticks < 300) return;
    KillTimer(nullptr, timer);
    if (dialog == nullptr) {   // it never showed
        PostQuitMessage(1);
        return;
    }
    HWND list = FindWindowExW(FindWindowExW(dialog, nullptr, L"Velmorani_P_Panel", nullptr), nullptr, L"ComboBox",
                              nullptr);
    int from = 96;
    POINT corner = {0, 0};
    for (int dpi : {144, 192, 96}) {
        const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0));
        RECT outer;
        GetWindowRect(dialog, &outer);
        // As Windows suggests it: the window scaled, about a corner on the other monitor.
        corner = {corner.x + 16, corner.y + 8};
        RECT suggested = {corner.x, corner.y, corner.x + (outer.right - outer.left) * dpi / from,
                          corner.y + (outer.bottom - outer.top) * dpi / from};
        SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        checkLayout(dialog, dpi, corner);
        EXPECT_EQ(GetObjectType(font), 0u) << "the font before " << dpi << " dpi was deleted";
        from = dpi;
    }
    moved = true;
    PostMessageW(dialog, WM_CLOSE, 0, 0);
}

TEST(DialogOnPlatform, MovedToMonitorsOfOtherScalesItIsLaidOutAgainFromTwips)
{
    BGM_Kind = 0;
    SettingsFileUnread = false;
    ASSERT_NE(SetTimer(nullptr, 0, 100, moveAcrossMonitors), 0u);
    ShowSettingsDialog();
    EXPECT_TRUE(moved);
    EXPECT_EQ(FindWindowW(nullptr, L"<Sorvelin>"), nullptr) << "closed";
}

} // namespace
