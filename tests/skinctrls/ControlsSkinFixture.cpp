#include "ControlsSkinFixture.h"

#include "skin/bsUtils.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "platform/Gbk.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cmath>

namespace {

const TColor Outside = RGB(255, 255, 255);

struct TFaceColors {
    TColor Top, Bottom, Border;
};

const TFaceColors NormalFace{RGB(236, 241, 250), RGB(184, 200, 228), RGB(60, 80, 140)};
const TFaceColors ActiveFace{RGB(255, 246, 220), RGB(250, 196, 104), RGB(190, 110, 20)};
const TFaceColors DownFace{RGB(232, 150, 52), RGB(255, 222, 156), RGB(140, 70, 10)};
const TFaceColors DisabledFace{RGB(232, 232, 232), RGB(204, 204, 204), RGB(160, 160, 160)};
const TFaceColors FaceOf[] = {NormalFace, ActiveFace, DownFace, DisabledFace};

TColor Blend(TColor a, TColor b, double t) {
    auto channel = [&](int shift) {
        const int ca = (a >> shift) & 0xFF;
        const int cb = (b >> shift) & 0xFF;
        return static_cast<int>(std::lround(ca + (cb - ca) * t));
    };
    return RGB(channel(0), channel(8), channel(16));
}

void Fill(TBitmap& bitmap, const TRect& r, TColor color) {
    TCanvas& c = bitmap.Canvas();
    c.Brush.Style = bsSolid;
    c.Brush.Color = color;
    c.FillRect(r);
}

void Frame(TBitmap& bitmap, const TRect& r, TColor color) {
    TCanvas& c = bitmap.Canvas();
    c.Brush.Style = bsSolid;
    c.Brush.Color = color;
    c.FrameRect(r);
}

// A gradient from `top` to `bottom` (or left to right when `across`).
void Gradient(TBitmap& bitmap, const TRect& r, TColor from, TColor to, bool across = false) {
    const int steps = across ? r.Width() : r.Height();
    for (int i = 0; i < steps; ++i) {
        const TColor color = Blend(from, to, steps > 1 ? double(i) / (steps - 1) : 0.0);
        if (across)
            Fill(bitmap, TRect(r.Left + i, r.Top, r.Left + i + 1, r.Bottom), color);
        else
            Fill(bitmap, TRect(r.Left, r.Top + i, r.Right, r.Top + i + 1), color);
    }
}

// The three pixels of each corner that a rounded face leaves outside.
void CutCorners(TBitmap& bitmap, const TRect& r, TColor color) {
    const int x0 = r.Left, x1 = r.Right - 1, y0 = r.Top, y1 = r.Bottom - 1;
    const TPoint cuts[] = {{x0, y0},     {x0 + 1, y0}, {x0, y0 + 1}, {x1, y0},
                           {x1 - 1, y0}, {x1, y0 + 1}, {x0, y1},     {x0 + 1, y1},
                           {x0, y1 - 1}, {x1, y1},     {x1 - 1, y1}, {x1, y1 - 1}};
    for (const TPoint& p : cuts)
        bitmap.SetPixel(p.X, p.Y, color);
}

// A fill that tiles without seams: a gradient in the outer `band` pixels on either side
// (top and bottom, or left and right when `across`), one colour between them.
void BandedFill(TBitmap& bitmap, const TRect& r, TColor from, TColor to, bool across,
                int band = 5) {
    const TColor middle = Blend(from, to, 0.5);
    Fill(bitmap, r, middle);
    if (across) {
        Gradient(bitmap, TRect(r.Left, r.Top, r.Left + band, r.Bottom), from, middle, true);
        Gradient(bitmap, TRect(r.Right - band, r.Top, r.Right, r.Bottom), middle, to, true);
    } else {
        Gradient(bitmap, TRect(r.Left, r.Top, r.Right, r.Top + band), from, middle);
        Gradient(bitmap, TRect(r.Left, r.Bottom - band, r.Right, r.Bottom), middle, to);
    }
}

// A rounded face: banded fill, border, a light inner line at the top, cut corners.
void DrawFace(TBitmap& bitmap, const TRect& r, const TFaceColors& colors, bool across = false) {
    BandedFill(bitmap, r, colors.Top, colors.Bottom, across);
    Frame(bitmap, r, colors.Border);
    Fill(bitmap, TRect(r.Left + 2, r.Top + 1, r.Right - 2, r.Top + 2),
         Blend(colors.Top, RGB(255, 255, 255), 0.6));
    bitmap.SetPixel(r.Left + 1, r.Top + 1, colors.Border);
    bitmap.SetPixel(r.Right - 2, r.Top + 1, colors.Border);
    bitmap.SetPixel(r.Left + 1, r.Bottom - 2, colors.Border);
    bitmap.SetPixel(r.Right - 2, r.Bottom - 2, colors.Border);
    CutCorners(bitmap, r, Outside);
}

void Save(const TBitmap& bitmap, const QString& folder, const QString& name) {
    bitmap.SaveToFile(folder + QLatin1Char('/') + name);
}

TBitmap White(int width, int height) {
    TBitmap bitmap(width, height);
    Fill(bitmap, TRect(0, 0, width, height), Outside);
    return bitmap;
}

// ---------------------------------------------------------------- pictures

// 0: push button faces, 75 x 25 each, stacked: normal, active, down, disabled.
TBitmap ButtonPicture() {
    TBitmap b = White(75, 100);
    for (int i = 0; i < 4; ++i)
        DrawFace(b, TRect(0, 25 * i, 75, 25 * i + 25), FaceOf[i]);
    return b;
}

// 1: the push button's mask: black inside, the cut corners white.
TBitmap ButtonMask() {
    TBitmap b(75, 25);
    Fill(b, TRect(0, 0, 75, 25), clBlack);
    CutCorners(b, TRect(0, 0, 75, 25), Outside);
    return b;
}

bool InDisc(int x, int y, double radius) {
    const double dx = x + 0.5 - 20.0;
    const double dy = y + 0.5 - 20.0;
    return dx * dx + dy * dy <= radius * radius;
}

// 2: round faces 40 x 40 side by side: normal, active, down.
TBitmap RoundPicture() {
    TBitmap b = White(120, 40);
    for (int i = 0; i < 3; ++i) {
        const TFaceColors& colors = FaceOf[i];
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) {
                if (!InDisc(x, y, 20.0))
                    continue;
                const TColor inner = Blend(colors.Top, colors.Bottom, y / 39.0);
                b.SetPixel(40 * i + x, y, InDisc(x, y, 18.0) ? inner : colors.Border);
            }
    }
    return b;
}

// 3: the disc of the round faces.
TBitmap RoundMask() {
    TBitmap b = White(40, 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            if (InDisc(x, y, 20.0))
                b.SetPixel(x, y, clBlack);
    return b;
}

// Darker bands near the kept ends, so the tiled middle is easy to tell apart.
void EndMarks(TBitmap& b, const TRect& r, const TFaceColors& colors, bool horizontal) {
    const TColor mark = Blend(colors.Border, colors.Bottom, 0.4);
    if (horizontal) {
        Fill(b, TRect(r.Left + 4, r.Top + 4, r.Left + 6, r.Bottom - 4), mark);
        Fill(b, TRect(r.Right - 6, r.Top + 4, r.Right - 4, r.Bottom - 4), mark);
    } else {
        Fill(b, TRect(r.Left + 4, r.Top + 4, r.Right - 4, r.Top + 6), mark);
        Fill(b, TRect(r.Left + 4, r.Bottom - 6, r.Right - 4, r.Bottom - 4), mark);
    }
}

// 4: horizontal band faces 60 x 22, stacked.
TBitmap HBarPicture() {
    TBitmap b = White(60, 66);
    for (int i = 0; i < 3; ++i) {
        const TRect r(0, 22 * i, 60, 22 * i + 22);
        DrawFace(b, r, FaceOf[i]);
        EndMarks(b, r, FaceOf[i], true);
    }
    return b;
}

// 5: vertical band faces 24 x 60, side by side.
TBitmap VBarPicture() {
    TBitmap b = White(72, 60);
    for (int i = 0; i < 3; ++i) {
        const TRect r(24 * i, 0, 24 * i + 24, 60);
        DrawFace(b, r, FaceOf[i], true);
        EndMarks(b, r, FaceOf[i], false);
    }
    return b;
}

const TColor TrackFill = RGB(226, 231, 242);
const TColor TrackLine = RGB(150, 162, 196);

void Grip(TBitmap& b, const TRect& r, TColor color, bool horizontalLines) {
    Fill(b, r, Outside);
    for (int i = 1; i < 9; i += 3) {
        if (horizontalLines)
            Fill(b, TRect(r.Left + 1, r.Top + i, r.Right - 1, r.Top + i + 1), color);
        else
            Fill(b, TRect(r.Left + i, r.Top + 1, r.Left + i + 1, r.Bottom - 1), color);
    }
}

// 6: vertical scroll bar: the bar (0,0,19,100), hot and pressed buttons, thumbs, grips.
TBitmap VScrollPicture() {
    TBitmap b = White(100, 100);
    Fill(b, TRect(0, 17, 19, 83), TrackFill);
    Fill(b, TRect(0, 17, 1, 83), TrackLine);
    Fill(b, TRect(18, 17, 19, 83), TrackLine);
    const int columns[] = {0, 20, 40};
    for (int i = 0; i < 3; ++i) {
        const TRect top(columns[i], 0, columns[i] + 19, 17);
        const TRect bottom(columns[i], 83, columns[i] + 19, 100);
        DrawFace(b, top, FaceOf[i]);
        DrawFace(b, bottom, FaceOf[i]);
        DrawArrowMark(b.Canvas(), top, clBlack, TbsArrowDirection::Up);
        DrawArrowMark(b.Canvas(), bottom, clBlack, TbsArrowDirection::Down);
    }
    DrawFace(b, TRect(60, 0, 77, 30), NormalFace, true);
    DrawFace(b, TRect(78, 0, 95, 30), ActiveFace, true);
    DrawFace(b, TRect(60, 31, 77, 61), DownFace, true);
    Grip(b, TRect(60, 62, 69, 71), NormalFace.Border, true);
    Grip(b, TRect(70, 62, 79, 71), ActiveFace.Border, true);
    Grip(b, TRect(80, 62, 89, 71), DownFace.Border, true);
    return b;
}

// 7: horizontal scroll bar, the same parts turned.
TBitmap HScrollPicture() {
    TBitmap b = White(100, 100);
    Fill(b, TRect(17, 0, 83, 19), TrackFill);
    Fill(b, TRect(17, 0, 83, 1), TrackLine);
    Fill(b, TRect(17, 18, 83, 19), TrackLine);
    const int rows[] = {0, 20, 40};
    for (int i = 0; i < 3; ++i) {
        const TRect left(0, rows[i], 17, rows[i] + 19);
        const TRect right(83, rows[i], 100, rows[i] + 19);
        DrawFace(b, left, FaceOf[i]);
        DrawFace(b, right, FaceOf[i]);
        DrawArrowMark(b.Canvas(), left, clBlack, TbsArrowDirection::Left);
        DrawArrowMark(b.Canvas(), right, clBlack, TbsArrowDirection::Right);
    }
    DrawFace(b, TRect(0, 60, 30, 77), NormalFace);
    DrawFace(b, TRect(31, 60, 61, 77), ActiveFace);
    DrawFace(b, TRect(62, 60, 92, 77), DownFace);
    Grip(b, TRect(0, 78, 9, 87), NormalFace.Border, false);
    Grip(b, TRect(10, 78, 19, 87), ActiveFace.Border, false);
    Grip(b, TRect(20, 78, 29, 87), DownFace.Border, false);
    return b;
}

void CheckImages(TBitmap& b, int x) {
    const TRect checked(x, 0, x + 13, 13);
    const TRect unchecked(x, 13, x + 13, 26);
    for (const TRect& r : {checked, unchecked}) {
        Fill(b, r, RGB(255, 255, 255));
        Frame(b, r, RGB(40, 60, 120));
    }
    DrawCheckMark(b.Canvas(), checked.Left + 3, checked.Top + 3, RGB(40, 60, 120));
}

// 8: panel, 100 x 100: a blue caption band (0..26) over a light dotted client, a 2-pixel
// frame; check images at x 100.
TBitmap PanelPicture() {
    TBitmap b = White(120, 100);
    Fill(b, TRect(0, 0, 100, 100), RGB(240, 243, 250));
    for (int y = 26; y < 94; y += 4)
        for (int x = 6 + (y / 4) % 2 * 2; x < 94; x += 4)
            b.SetPixel(x, y, RGB(214, 222, 240));
    Gradient(b, TRect(0, 0, 100, 26), RGB(96, 128, 206), RGB(48, 76, 156));
    Frame(b, TRect(0, 0, 100, 100), RGB(40, 60, 120));
    Frame(b, TRect(1, 1, 99, 99), RGB(120, 146, 210));
    CheckImages(b, 100);
    return b;
}

// 9: group box, 100 x 100: a titled frame with a light tab for the caption.
TBitmap GroupBoxPicture() {
    TBitmap b = White(120, 100);
    Fill(b, TRect(0, 0, 100, 100), RGB(246, 246, 240));
    Gradient(b, TRect(0, 0, 100, 24), RGB(250, 250, 244), RGB(222, 226, 214));
    Frame(b, TRect(0, 0, 100, 100), RGB(128, 140, 110));
    Fill(b, TRect(0, 23, 100, 24), RGB(128, 140, 110));
    Frame(b, TRect(4, 27, 96, 96), RGB(190, 198, 176));
    CheckImages(b, 100);
    return b;
}

// 10: status bar, 100 x 21.
TBitmap StatusBarPicture() {
    TBitmap b = White(100, 21);
    Gradient(b, TRect(0, 0, 100, 21), RGB(236, 236, 236), RGB(200, 204, 214));
    Fill(b, TRect(0, 0, 100, 1), RGB(130, 134, 150));
    Fill(b, TRect(0, 1, 100, 2), RGB(255, 255, 255));
    for (int i = 0; i < 3; ++i) // a size grip at the right end
        Fill(b, TRect(97 - 3 * i, 16 - 3 * i, 99 - 3 * i, 18 - 3 * i), RGB(130, 134, 150));
    return b;
}

// 11: status panel, 60 x 19, sunken.
TBitmap StatusPanelPicture() {
    TBitmap b = White(60, 19);
    Fill(b, TRect(0, 0, 60, 19), RGB(226, 228, 234));
    Fill(b, TRect(0, 0, 60, 1), RGB(130, 134, 150));
    Fill(b, TRect(0, 0, 1, 19), RGB(130, 134, 150));
    Fill(b, TRect(0, 18, 60, 19), RGB(255, 255, 255));
    Fill(b, TRect(59, 0, 60, 19), RGB(255, 255, 255));
    return b;
}

// 12: label, 60 x 21, a pale box.
TBitmap LabelPicture() {
    TBitmap b = White(60, 21);
    Gradient(b, TRect(0, 0, 60, 21), RGB(255, 252, 230), RGB(246, 236, 190));
    Frame(b, TRect(0, 0, 60, 21), RGB(200, 180, 110));
    return b;
}

} // namespace

// ---------------------------------------------------------------- the description

TControlsSkin::TControlsSkin() {
    Set("VERSION", "skinname", "controls fixture")
        .Set("VERSION", "skinauthor", "zarvo tests")
        .Set("PICTURES", "picture", "")
        .Set("PICTURES", "activepicturescount", "13");
    const char* pictures[] = {"button.bmp", "buttonmask.bmp", "round.bmp",     "roundmask.bmp",
                              "hbar.bmp",   "vbar.bmp",       "vscroll.bmp",   "hscroll.bmp",
                              "panel.bmp",  "groupbox.bmp",   "statusbar.bmp", "statuspanel.bmp",
                              "label.bmp"};
    for (int i = 0; i < 13; ++i)
        Set("PICTURES", QString::number(i), pictures[i]);
    Set("FORMINFO", "clientrect", "0,0,0,0").Set("SKINOBJECTS", "count", "0");

    auto button = [this](const QString& name) {
        Set(name, "fontname", "Arial")
            .Set(name, "fontheight", "14")
            .Set(name, "fontstyle", "")
            .Set(name, "fontcolor", "0x00502010")
            .Set(name, "activefontcolor", "0x00104080")
            .Set(name, "downfontcolor", "0x00102060")
            .Set(name, "disabledfontcolor", "0x00909090");
    };
    AddControl("button", "button");
    Set("button", "pictureindex", "0")
        .Set("button", "maskpictureindex", "1")
        .Set("button", "skinrect", "0,0,75,25")
        .Set("button", "lefttoppoint", "4,4")
        .Set("button", "righttoppoint", "71,4")
        .Set("button", "leftbottompoint", "4,21")
        .Set("button", "rightbottompoint", "71,21")
        .Set("button", "clientrect", "4,4,71,21");
    button("button");
    Set("button", "activeskinrect", "0,25,75,50")
        .Set("button", "downskinrect", "0,50,75,75")
        .Set("button", "disabledskinrect", "0,75,75,100")
        .Set("button", "morphing", "1")
        .Set("button", "morphkind", "mkdefault");

    AddControl("fixedbutton", "button");
    Set("fixedbutton", "pictureindex", "2")
        .Set("fixedbutton", "maskpictureindex", "3")
        .Set("fixedbutton", "skinrect", "0,0,40,40")
        .Set("fixedbutton", "clientrect", "6,6,34,34");
    button("fixedbutton");
    Set("fixedbutton", "activeskinrect", "40,0,80,40")
        .Set("fixedbutton", "downskinrect", "80,0,120,40");

    AddControl("hbutton", "button");
    Set("hbutton", "pictureindex", "4")
        .Set("hbutton", "skinrect", "0,0,60,22")
        .Set("hbutton", "lefttoppoint", "8,0")
        .Set("hbutton", "righttoppoint", "52,0")
        .Set("hbutton", "clientrect", "8,2,52,20");
    button("hbutton");
    Set("hbutton", "activeskinrect", "0,22,60,44").Set("hbutton", "downskinrect", "0,44,60,66");

    AddControl("vbutton", "button");
    Set("vbutton", "pictureindex", "5")
        .Set("vbutton", "skinrect", "0,0,24,60")
        .Set("vbutton", "lefttoppoint", "0,8")
        .Set("vbutton", "leftbottompoint", "0,52")
        .Set("vbutton", "clientrect", "2,8,22,52");
    button("vbutton");
    Set("vbutton", "activeskinrect", "24,0,48,60").Set("vbutton", "downskinrect", "48,0,72,60");

    AddControl("nopicbutton", "button");
    Set("nopicbutton", "pictureindex", "-1")
        .Set("nopicbutton", "skinrect", "0,0,75,25")
        .Set("nopicbutton", "lefttoppoint", "4,4")
        .Set("nopicbutton", "righttoppoint", "71,4")
        .Set("nopicbutton", "leftbottompoint", "4,21")
        .Set("nopicbutton", "rightbottompoint", "71,21")
        .Set("nopicbutton", "clientrect", "4,4,71,21");
    button("nopicbutton");

    AddControl("toolbutton", "button");
    Set("toolbutton", "pictureindex", "0")
        .Set("toolbutton", "skinrect", "0,0,75,25")
        .Set("toolbutton", "lefttoppoint", "4,4")
        .Set("toolbutton", "righttoppoint", "71,4")
        .Set("toolbutton", "leftbottompoint", "4,21")
        .Set("toolbutton", "rightbottompoint", "71,21")
        .Set("toolbutton", "clientrect", "4,4,71,21");
    button("toolbutton");
    Set("toolbutton", "activeskinrect", "0,25,75,50")
        .Set("toolbutton", "downskinrect", "0,50,75,75");

    // Scroll bars: the bar at the picture's top-left, so its rectangles are both control
    // and picture coordinates; hot and pressed parts beside it.
    AddControl("vscrollbar", "scrollbar");
    Set("vscrollbar", "pictureindex", "6")
        .Set("vscrollbar", "skinrect", "0,0,19,100")
        .Set("vscrollbar", "lefttoppoint", "0,17")
        .Set("vscrollbar", "leftbottompoint", "0,83")
        .Set("vscrollbar", "clientrect", "0,17,19,83")
        .Set("vscrollbar", "trackarea", "0,17,19,83")
        .Set("vscrollbar", "upbuttonrect", "0,83,19,100")
        .Set("vscrollbar", "activeupbuttonrect", "20,83,39,100")
        .Set("vscrollbar", "downupbuttonrect", "40,83,59,100")
        .Set("vscrollbar", "downbuttonrect", "0,0,19,17")
        .Set("vscrollbar", "activedownbuttonrect", "20,0,39,17")
        .Set("vscrollbar", "downdownbuttonrect", "40,0,59,17")
        .Set("vscrollbar", "thumbrect", "60,0,77,30")
        .Set("vscrollbar", "activethumbrect", "78,0,95,30")
        .Set("vscrollbar", "downthumbrect", "60,31,77,61")
        .Set("vscrollbar", "thumboffset1", "4")
        .Set("vscrollbar", "thumboffset2", "4")
        .Set("vscrollbar", "glyphrect", "60,62,69,71")
        .Set("vscrollbar", "activeglyphrect", "70,62,79,71")
        .Set("vscrollbar", "downglyphrect", "80,62,89,71");

    AddControl("hscrollbar", "scrollbar");
    Set("hscrollbar", "pictureindex", "7")
        .Set("hscrollbar", "skinrect", "0,0,100,19")
        .Set("hscrollbar", "lefttoppoint", "17,0")
        .Set("hscrollbar", "righttoppoint", "83,0")
        .Set("hscrollbar", "clientrect", "17,0,83,19")
        .Set("hscrollbar", "trackarea", "17,0,83,19")
        .Set("hscrollbar", "upbuttonrect", "83,0,100,19")
        .Set("hscrollbar", "activeupbuttonrect", "83,20,100,39")
        .Set("hscrollbar", "downupbuttonrect", "83,40,100,59")
        .Set("hscrollbar", "downbuttonrect", "0,0,17,19")
        .Set("hscrollbar", "activedownbuttonrect", "0,20,17,39")
        .Set("hscrollbar", "downdownbuttonrect", "0,40,17,59")
        .Set("hscrollbar", "thumbrect", "0,60,30,77")
        .Set("hscrollbar", "activethumbrect", "31,60,61,77")
        .Set("hscrollbar", "downthumbrect", "62,60,92,77")
        .Set("hscrollbar", "thumboffset1", "4")
        .Set("hscrollbar", "thumboffset2", "4")
        .Set("hscrollbar", "glyphrect", "0,78,9,87")
        .Set("hscrollbar", "activeglyphrect", "10,78,19,87")
        .Set("hscrollbar", "downglyphrect", "20,78,29,87");

    auto font = [this](const QString& name, const QString& color, const QString& style) {
        Set(name, "fontname", "Arial")
            .Set(name, "fontheight", "14")
            .Set(name, "fontstyle", style)
            .Set(name, "fontcolor", color);
    };
    AddControl("panel", "panel");
    Set("panel", "pictureindex", "8")
        .Set("panel", "skinrect", "0,0,100,100")
        .Set("panel", "lefttoppoint", "6,26")
        .Set("panel", "righttoppoint", "94,26")
        .Set("panel", "leftbottompoint", "6,94")
        .Set("panel", "rightbottompoint", "94,94")
        .Set("panel", "clientrect", "6,26,94,94")
        .Set("panel", "captionrect", "8,4,92,24")
        .Set("panel", "alignment", "taleftjustify");
    font("panel", "0x00FFFFFF", "fsbold");
    Set("panel", "checkimagerect", "100,0,113,13")
        .Set("panel", "uncheckimagerect", "100,13,113,26");

    AddControl("groupbox", "panel");
    Set("groupbox", "pictureindex", "9")
        .Set("groupbox", "skinrect", "0,0,100,100")
        .Set("groupbox", "lefttoppoint", "8,24")
        .Set("groupbox", "righttoppoint", "92,24")
        .Set("groupbox", "leftbottompoint", "8,92")
        .Set("groupbox", "rightbottompoint", "92,92")
        .Set("groupbox", "clientrect", "8,24,92,92")
        .Set("groupbox", "captionrect", "10,3,90,21")
        .Set("groupbox", "alignment", "tacenter");
    font("groupbox", "0x00603010", "fsbold");
    Set("groupbox", "checkimagerect", "100,0,113,13")
        .Set("groupbox", "uncheckimagerect", "100,13,113,26");

    AddControl("statusbar", "panel");
    Set("statusbar", "pictureindex", "10")
        .Set("statusbar", "skinrect", "0,0,100,21")
        .Set("statusbar", "lefttoppoint", "4,0")
        .Set("statusbar", "righttoppoint", "90,0")
        .Set("statusbar", "clientrect", "4,3,90,20");
    font("statusbar", "0x00000000", "");

    AddControl("statuspanel", "label");
    Set("statuspanel", "pictureindex", "11")
        .Set("statuspanel", "skinrect", "0,0,60,19")
        .Set("statuspanel", "lefttoppoint", "3,0")
        .Set("statuspanel", "righttoppoint", "57,0")
        .Set("statuspanel", "clientrect", "3,2,57,17");
    font("statuspanel", "0x00202020", "");

    AddControl("label", "label");
    Set("label", "pictureindex", "12")
        .Set("label", "skinrect", "0,0,60,21")
        .Set("label", "lefttoppoint", "4,0")
        .Set("label", "righttoppoint", "56,0")
        .Set("label", "clientrect", "4,2,56,19");
    font("label", "0x00105020", "");

    AddControl("stdlabel", "stdlabel");
    font("stdlabel", "0x00202090", "");
    Set("stdlabel", "activefontcolor", "0x00FF0000");
}

TControlsSkin::TSection& TControlsSkin::Find(const QString& section) {
    auto it = std::find_if(FSections.begin(), FSections.end(),
                           [&](const TSection& s) { return s.Name == section; });
    if (it != FSections.end())
        return *it;
    FSections.push_back(TSection{section, {}});
    return FSections.back();
}

TControlsSkin& TControlsSkin::Set(const QString& section, const QString& key,
                                  const QString& value) {
    auto& keys = Find(section).Keys;
    auto it = std::find_if(keys.begin(), keys.end(), [&](const auto& k) { return k.first == key; });
    if (it != keys.end())
        it->second = value;
    else
        keys.emplace_back(key, value);
    return *this;
}

TControlsSkin& TControlsSkin::Remove(const QString& section, const QString& key) {
    std::erase_if(Find(section).Keys, [&](const auto& k) { return k.first == key; });
    return *this;
}

TControlsSkin& TControlsSkin::AddControl(const QString& name, const QString& kind, bool first) {
    const QString entry = name + QLatin1Char(':') + kind;
    if (first)
        FControls.insert(FControls.begin(), entry);
    else
        FControls.push_back(entry);
    return *this;
}

QString TControlsSkin::Write(const QString& folder) const {
    QDir().mkpath(folder);
    Save(ButtonPicture(), folder, "button.bmp");
    Save(ButtonMask(), folder, "buttonmask.bmp");
    Save(RoundPicture(), folder, "round.bmp");
    Save(RoundMask(), folder, "roundmask.bmp");
    Save(HBarPicture(), folder, "hbar.bmp");
    Save(VBarPicture(), folder, "vbar.bmp");
    Save(VScrollPicture(), folder, "vscroll.bmp");
    Save(HScrollPicture(), folder, "hscroll.bmp");
    Save(PanelPicture(), folder, "panel.bmp");
    Save(GroupBoxPicture(), folder, "groupbox.bmp");
    Save(StatusBarPicture(), folder, "statusbar.bmp");
    Save(StatusPanelPicture(), folder, "statuspanel.bmp");
    Save(LabelPicture(), folder, "label.bmp");

    QString text;
    for (const TSection& section : FSections) {
        text += QLatin1Char('[') + section.Name + QStringLiteral("]\r\n");
        for (const auto& [key, value] : section.Keys)
            text += key + QLatin1Char('=') + value + QStringLiteral("\r\n");
        text += QStringLiteral("\r\n");
    }
    text += QStringLiteral("[SKINCONTROLS]\r\ncount=") + QString::number(FControls.size()) +
            QStringLiteral("\r\n");
    for (size_t i = 0; i < FControls.size(); ++i)
        text += QString::number(i) + QLatin1Char('=') + FControls[i] + QStringLiteral("\r\n");

    const QString path = folder + QStringLiteral("/skin.ini");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(Gbk::Encode(text)) < 0)
        return QString();
    return path;
}
