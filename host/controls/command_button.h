#pragma once
// The Command button as a child window: a persistent surface that holds the
// last rendered face, the caption drawn over it, and a 100 ms hover poll.

#include <windows.h>

#include <functional>

#include "button_face.h"
#include "gdi_drawing.h"
#include "command_model.h"

class CommandButton : public CommandModel {
public:
    CommandButton() = default;
    ~CommandButton() override;
    CommandButton(const CommandButton&) = delete;
    CommandButton& operator=(const CommandButton&) = delete;

    // Makes the child window at a place given in twips and loads its stored
    // properties, as the container does when its form loads.
    bool create(HWND parent, const TwipRect& place, double twipsPerPixel, const PropertyStore& store,
                const FontSpec& ambientFont);

    // Moves the control to a place given in twips at a new display scale:
    // the face's pieces and the caption's font are made anew at that scale.
    void rescale(const TwipRect& place, double twipsPerPixel);

    HWND window() const { return window_; }
    std::function<void()> Click;

    // Every message of the control's window (window_binding.h).
    LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    void renderFace(Face face) override;
    void raiseClick() override;
    void startHoverPoll() override;
    void captionChanged() override;

private:
    void makeSurface();
    void FillGradient();
    void pollHover();
    void paint();
    void pressed(bool left);
    void released(bool left);

    HWND window_ = nullptr;
    PersistentSurface surface_;
    HFONT captionFont_ = nullptr;
    double twipsPerPixel_ = 15.0;
    int widthTwips_ = 0;
    int heightTwips_ = 0;
    int captionTop_ = 0;   // pixels
};
