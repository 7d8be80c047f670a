#pragma once
// The skinned window frame's geometry as pure functions of the skin's frame description
// ([FORMINFO] in TbsSkinData) and the window size: the fitted points and rectangles, the
// placement of frame objects by corner region and in the buttons area, the window shape
// from the mask strips, the hit test, magnetic snapping and the fade steps. The form frame,
// its tests and the gallery all call these; none of them touches a window.

#include "skin/bsSkinValues.h"
#include "skin/bsUtils.h"

#include "framework/Bitmap.h"
#include "framework/Forms.h"
#include "framework/Types.h"

#include <optional>
#include <vector>

class TbsSkinData;

// Caption commands a skinned window offers: the framework's biSystemMenu, biMinimize and
// biMaximize, and the frame's own two.
using TbsBorderIcons = unsigned;
inline constexpr TbsBorderIcons biRollUp = 8;
inline constexpr TbsBorderIcons biMinimizeToTray = 16;
inline constexpr TbsBorderIcons DefaultFrameBorderIcons =
    biSystemMenu | biMinimize | biMaximize | biRollUp;

// Hit-test codes of the frame (the window system's numbers).
enum TbsHitCode : int {
    HTCLIENT = 1,
    HTCAPTION = 2,
    HTLEFT = 10,
    HTRIGHT = 11,
    HTTOP = 12,
    HTTOPLEFT = 13,
    HTTOPRIGHT = 14,
    HTBOTTOM = 15,
    HTBOTTOMLEFT = 16,
    HTBOTTOMRIGHT = 17,
    HTOBJECT = 19,
};

// ---------------------------------------------------------------- fitted geometry

// The frame description fitted to a W x H window; dx = W - PW, dy = H - PH.
struct TbsFrameGeometry {
    int W = 0, H = 0, PW = 0, PH = 0;
    TPoint LT, RT, LB, RB;
    TRect Client, Caption, Buttons, Mask;
    TPoint HitLT, HitRT, HitLB, HitRB;
    int Dx() const { return W - PW; }
    int Dy() const { return H - PH; }
};

TbsFrameGeometry FitFrameGeometry(const TbsSkinData& skin, int W, int H);

// Whether the frame description can be cut from the frame picture: the client rect and the
// four corner points lie inside it. A frame that cannot is drawn plain.
bool FrameFitsPicture(const TbsSkinData& skin);
// Whether the mask can shape the window: present and the size of the frame picture (a mask
// of another size is ignored, as if there were none).
bool FrameMaskUsable(const TbsSkinData& skin);

// Where a frame object drawn as part of the frame picture goes: moved with the corner region
// that holds it, or stretched between two regions.
TRect FitFrameObjectRect(const TbsSkinData& skin, const TbsFrameGeometry& g, TRect r);

// ---------------------------------------------------------------- frame objects

// What the layout needs of one frame object.
struct TbsFrameSlot {
    enum TKind { Other, Caption, CaptionButton };
    TKind Kind = Other;
    std::optional<TbsStdCommand> Command; // std buttons and animations
    bool Animation = false;
    bool InButtonsArea = false; // "skinrectinapicture"
    bool Visible = true;
    bool Enabled = true;
    TPoint Size; // the placed size (the normal rect's, or the icon size)
    TRect Rect;  // in: the normal rect; out: the place on the window
};

// Whether a caption command may run with the given border icons (close and the default
// command always may).
bool CaptionCommandAllowed(TbsStdCommand command, TbsBorderIcons icons);

// The caption-button rules: hidden caption buttons or a command without its border icon
// disable the button, and hide it when it sits in the buttons area. Never re-enables.
void ApplyCaptionButtonRules(std::vector<TbsFrameSlot>& places, TbsBorderIcons icons,
                             bool hideCaptionButtons);

// Places every slot: corner regions for frame-picture objects, the buttons area (or the
// caption area) for caption buttons, and trims the caption to leave them room.
void LayOutFrameSlots(const TbsSkinData& skin, const TbsFrameGeometry& g,
                      std::vector<TbsFrameSlot>& places);

// ---------------------------------------------------------------- window shape

// The mask's four border strips fitted to the window, kept for hit testing.
struct TbsFrameMaskStrips {
    TBitmap Top, Left, Right, Bottom;
};

// The window region: the fitted mask rect and the black pixels of the fitted strips. No
// region when the skin has no mask (the strips are then emptied).
TbsRegion BuildFrameRegion(const TbsSkinData& skin, const TbsFrameGeometry& g,
                           TbsFrameMaskStrips& strips);

// Whether the window point lies inside the window's shape.
bool InsideFrameShape(const TbsFrameGeometry& g, const TbsFrameMaskStrips& strips, TPoint p);

// ---------------------------------------------------------------- hit test

struct TbsHitTestState {
    bool Sizeable = true;
    bool Maximized = false;
    bool Minimized = false;
    bool RolledUp = false;
    bool InSizeMove = false;
    bool ObjectHot = false;         // a frame object is hot
    bool OverCaptionObject = false; // the point lies on a caption object
};

// The hit test of a skinned frame; a skin with a mask tests the window shape.
int SkinFrameHitTest(const TbsSkinData& skin, const TbsFrameGeometry& g,
                     const TbsFrameMaskStrips& strips, const TbsHitTestState& state, TPoint p);

// ---------------------------------------------------------------- the plain frame

// The frame drawn without a skin.
struct TbsPlainFrameMetrics {
    int CaptionHeight = 19; // 15 for tool windows
    int ButtonSize = 17;    // 13 for tool windows
    static TbsPlainFrameMetrics For(bool toolWindow);
    TRect ClientRect(int W, int H) const;
};

// The six plain caption buttons laid out: close, maximize, minimize, roll-up and tray from
// the right at y = 4, each one visible slot after the other; the system menu at (3, 4).
// `places` holds CaptionButton places (others are left alone); returns the caption area
// between the system-menu button and the caption buttons.
TRect LayOutPlainButtons(const TbsPlainFrameMetrics& m, int W, std::vector<TbsFrameSlot>& places);

int PlainFrameHitTest(const TbsPlainFrameMetrics& m, const TRect& captionArea, int W, int H,
                      const TbsHitTestState& state, TPoint p);

// ---------------------------------------------------------------- moving and fading

// The top-left of a w x h window moved to `topLeft`, snapped to the edges of `area` within
// `distance` pixels (strictly closer).
TPoint MagneticSnap(TPoint topLeft, int w, int h, const TRect& area, int distance);

// The opacities of a fade-in to `target`: 5, 10, ... and the target itself last.
std::vector<int> FadeInSteps(int target);
