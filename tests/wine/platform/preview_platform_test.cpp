// The preview form inside a preview area made by this test, so its pixels
// can be read in-process.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "preview_form.h"
#include "resource_ids.h"

namespace {

HWND makeArea(int width, int height)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TestPreviewArea";
    RegisterClassA(&windowClass);
    HWND area = CreateWindowExA(0, "TestPreviewArea", "area", WS_POPUP | WS_VISIBLE, 10, 10, width, height,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
    return area;
}

HWND previewIn(HWND area)
{
    return FindWindowExA(area, nullptr, "Velmorani_R", "Preview Window");
}

struct Pixels {
    int width = 0, height = 0;
    std::string bgra;
    COLORREF at(int x, int y) const
    {
        const auto* p = reinterpret_cast<const unsigned char*>(&bgra[(y * width + x) * 4]);
        return RGB(p[2], p[1], p[0]);
    }
};

// What the form draws, asked of it directly into a top-down 32-bit DIB.
Pixels drawnBy(HWND form)
{
    Pixels pixels;
    RECT client;
    GetClientRect(form, &client);
    pixels.width = client.right;
    pixels.height = client.bottom;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = -pixels.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP target = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(dc, target);
    SendMessageA(form, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    pixels.bgra.assign(static_cast<const char*>(bits), pixels.width * pixels.height * 4);
    SelectObject(dc, previous);
    DeleteObject(target);
    DeleteDC(dc);
    return pixels;
}

Pixels picture()
{
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_PREVIEW), IMAGE_BITMAP, 0, 0, 0));
    Pixels pixels;
    BITMAP info = {};
    GetObjectA(bitmap, sizeof(info), &info);
    pixels.width = info.bmWidth;
    pixels.height = info.bmHeight;
    BITMAPINFO request = {};
    request.bmiHeader.biSize = sizeof(request.bmiHeader);
    request.bmiHeader.biWidth = pixels.width;
    request.bmiHeader.biHeight = -pixels.height;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    pixels.bgra.assign(pixels.width * pixels.height * 4, '\0');
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, bitmap, 0, pixels.height, &pixels.bgra[0], &request, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    DeleteObject(bitmap);
    return pixels;
}

// One preview per process: the form ends the program when it goes away.
TEST(PreviewOnPlatform, PictureFillsItsOwnSizeTopLeftAndBlackBeyond)
{
    const Pixels expected = picture();
    ASSERT_EQ(expected.width, 152);
    ASSERT_EQ(expected.height, 112);

    HWND area = makeArea(200, 150);
    ASSERT_NE(area, nullptr);
    StartPreview("/p " + std::to_string(reinterpret_cast<INT_PTR>(area)));
    HWND form = previewIn(area);
    ASSERT_NE(form, nullptr);

    const LONG style = GetWindowLongA(form, GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), 0) << "no frame and no caption bar";
    EXPECT_EQ(GetAncestor(form, GA_PARENT), area);
    RECT placed;
    GetWindowRect(form, &placed);
    MapWindowPoints(nullptr, area, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, 0);
    EXPECT_EQ(placed.top, 0);
    EXPECT_EQ(placed.right, 200);
    EXPECT_EQ(placed.bottom, 150);

    const Pixels drawn = drawnBy(form);
    ASSERT_EQ(drawn.width, 200);
    int different = 0;
    for (int y = 0; y < 112; ++y) {
        for (int x = 0; x < 152; ++x) different += drawn.at(x, y) != expected.at(x, y);
    }
    EXPECT_EQ(different, 0);
    for (int y = 0; y < 150; ++y) {
        for (int x = 152; x < 200; ++x) ASSERT_EQ(drawn.at(x, y), RGB(0, 0, 0)) << x << "," << y;
    }
    for (int x = 0; x < 152; ++x) ASSERT_EQ(drawn.at(x, 130), RGB(0, 0, 0));

    // An area of exactly the picture's size is filled by it.
    HWND exact = makeArea(152, 112);
    StartPreview("/p:" + std::to_string(reinterpret_cast<INT_PTR>(exact)));
    HWND fitted = previewIn(exact);
    ASSERT_NE(fitted, nullptr);
    const Pixels filled = drawnBy(fitted);
    ASSERT_EQ(filled.width, 152);
    ASSERT_EQ(filled.height, 112);
    EXPECT_EQ(filled.bgra.size(), expected.bgra.size());
    different = 0;
    for (int y = 0; y < 112; ++y) {
        for (int x = 0; x < 152; ++x) different += filled.at(x, y) != expected.at(x, y);
    }
    EXPECT_EQ(different, 0);
    // The areas are left in place: destroying one would end this program.
}

} // namespace
