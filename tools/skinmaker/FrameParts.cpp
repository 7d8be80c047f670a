// The window-frame family of a skin: the frame picture, its mask and inactive picture,
// [FORMINFO], the frame objects, the popup-menu and hint windows and the menu bar.

#include "FrameArt.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <stdexcept>

using namespace SkinPaint;

namespace FrameArt {

namespace {

int RoundUp(int value, int step) {
    return (value + step - 1) / step * step;
}

// The period every tiled band of the frame is a multiple of.
int TilePeriod(const TSkinTheme& theme) {
    return theme.Pattern == TPattern::None ? 16 : std::max(4, theme.PatternPeriod);
}

// True when every pixel of `r` is black in `mask`.
bool AllInside(const QImage& mask, const TRect& r) {
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (mask.pixelColor(x, y) != Qt::black)
                return false;
    return true;
}

} // namespace

TFrameStyle StyleFor(const TSkinTheme& theme) {
    TFrameStyle s;
    switch (theme.Face) {
    case TFaceStyle::Soft:
        s.Button = QSize(21, 18);
        s.ButtonRadius = 3;
        s.RedClose = true;
        break;
    case TFaceStyle::Glass:
        s.Button = QSize(25, 18);
        s.ButtonRadius = 4;
        s.UseButtonsRect = false;
        s.RedClose = true;
        break;
    case TFaceStyle::Frosted:
        s.Button = QSize(22, 19);
        s.ButtonRadius = 5;
        s.RedClose = true;
        break;
    case TFaceStyle::Velvet:
        s.Button = QSize(20, 20);
        s.ButtonGap = 3;
        s.Round = true;
        s.UseButtonsRect = false;
        s.MoonButton = true;
        break;
    case TFaceStyle::Paper:
        s.Button = QSize(18, 16);
        s.ButtonRadius = 1;
        s.ClassicInPlace = true;
        break;
    case TFaceStyle::Flat:
        s.Button = QSize(28, 22);
        s.ButtonGap = 0;
        s.ButtonRadius = 0;
        s.UseButtonsRect = false;
        s.LogoArea = true;
        s.ClientPattern = true;
        break;
    }
    return s;
}

QPainterPath TFrameGeometry::Shape(double inset) const {
    const QRectF r(inset, inset, Width - 2 * inset, Height - 2 * inset);
    const double top = std::max(0.0, Radius - inset);
    const double bottom = BottomRadius > 0 ? std::max(0.0, BottomRadius - inset) : 0.0;
    QPainterPath path;
    if (top <= 0 && bottom <= 0) {
        path.addRect(r);
        return path;
    }
    path.moveTo(r.left(), r.top() + top);
    if (top > 0)
        path.arcTo(r.left(), r.top(), 2 * top, 2 * top, 180, -90);
    path.lineTo(r.right() - top, r.top());
    if (top > 0)
        path.arcTo(r.right() - 2 * top, r.top(), 2 * top, 2 * top, 90, -90);
    path.lineTo(r.right(), r.bottom() - bottom);
    if (bottom > 0)
        path.arcTo(r.right() - 2 * bottom, r.bottom() - 2 * bottom, 2 * bottom, 2 * bottom, 0, -90);
    path.lineTo(r.left() + bottom, r.bottom());
    if (bottom > 0)
        path.arcTo(r.left(), r.bottom() - 2 * bottom, 2 * bottom, 2 * bottom, 270, -90);
    path.closeSubpath();
    return path;
}

TFrameGeometry GeometryFor(const TSkinTheme& theme, const TFrameStyle& style) {
    TFrameGeometry g;
    const int period = TilePeriod(theme);
    const int bw = style.Button.width(), bh = style.Button.height();
    g.Side = theme.BorderWidth;
    g.Bottom = theme.BorderWidth;
    g.Caption = theme.CaptionHeight;
    g.Radius = theme.FrameCornerRadius;
    g.BottomRadius = theme.RoundBottomCorners ? g.Radius : 0;
    g.ButtonTop = (g.Caption - bh + 1) / 2;
    g.SysMenu = style.Round || theme.Face == TFaceStyle::Flat ? style.Button : QSize(16, 16);
    const int pad = std::max(6, int(std::lround(g.Radius * 0.6)));
    const int buttonsBottom = g.ButtonTop + bh;

    // Everything at the right is measured from the right edge first, since the width
    // follows from the corner pieces.
    int rightNeed = pad;           // the caption's right end
    int areaFar = 0, areaNear = 0; // the buttons area's left and right ends
    if (style.ClassicInPlace) {    // close, max and min in place, the others beside them
        areaNear = pad + 3 * bw + 2 + 4;
        areaFar = areaNear + 2 * bw + style.ButtonGap;
        rightNeed = areaFar + 4;
    } else if (style.UseButtonsRect) { // room for all five placed buttons
        areaNear = pad;
        areaFar = pad + 5 * bw + 4 * style.ButtonGap;
        rightNeed = areaFar + 4;
    } else if (style.LogoArea) {
        rightNeed = pad + 24 + 4;
    }

    // The left corner holds what sits at the top left; the caption starts inside it.
    int captionLeft = pad;
    if (style.MoonButton) {
        g.Moon = TRect(pad + 2, (g.Caption - 18) / 2, pad + 20, (g.Caption - 18) / 2 + 18);
        captionLeft = g.Moon.Right + 3;
    }
    if (style.ClassicInPlace) {
        const int top = (g.Caption - 16) / 2;
        g.InPlaceSysMenu = TRect(pad, top, pad + 16, top + 16);
        captionLeft = g.InPlaceSysMenu.Right + 4;
    }
    int leftNeed = std::max(g.Radius + 6, captionLeft + 1);
    if (theme.Face == TFaceStyle::Flat) {
        captionLeft = 3;
        leftNeed = captionLeft + 6 * bw + 4; // the buttons sit on the plain part of the sweep
    }
    const int leftCorner = RoundUp(leftNeed, period);
    int rightCorner = std::max(rightNeed, g.Radius + 6);
    const int middle = RoundUp(std::max(4 * period, 320 - leftCorner - rightCorner), period);
    g.Width = leftCorner + middle + rightCorner;
    if (style.ClientPattern) { // the client piece tiles its pattern without seams
        const int extra = (period - (g.Width - 2 * g.Side) % period) % period;
        rightCorner += extra;
        g.Width += extra;
    }
    const int clientHeight = RoundUp(140, period);

    g.Height = g.Caption + clientHeight + g.Bottom;
    g.Client = TRect(g.Side, g.Caption, g.Width - g.Side, g.Height - g.Bottom);
    // The rounded bottom corners, with the lines drawn along them, must stay in the
    // borders: the client area shows whatever the frame picture holds there.
    while (g.Radius > 0 && !AllInside(Mask(g.Width, g.Height, g.Shape(2.5)), g.Client)) {
        if (g.BottomRadius == 0)
            throw std::logic_error("frame corners cut into the client area");
        g.BottomRadius = g.BottomRadius > 3 ? g.BottomRadius - 1 : 0;
    }

    const int W = g.Width;
    g.LT = TPoint(leftCorner, g.Caption);
    g.RT = TPoint(W - rightCorner, g.Caption);
    const int bottomLeft = RoundUp(std::max(g.BottomRadius + 4, 8), period);
    int bottomRight = std::max(g.BottomRadius + 4, 8);
    bottomRight = W - bottomLeft - (W - bottomLeft - bottomRight) / period * period;
    const int lowY = g.BottomRadius > 0 ? std::min(g.Client.Bottom, g.Height - g.BottomRadius - 1)
                                        : g.Client.Bottom;
    g.LB = TPoint(bottomLeft, lowY);
    g.RB = TPoint(W - bottomRight, lowY);

    if (style.UseButtonsRect)
        g.ButtonsArea = TRect(W - areaFar, g.ButtonTop, W - areaNear, buttonsBottom);
    if (style.ClassicInPlace) {
        const int top = g.ButtonTop;
        g.InPlaceClose = TRect(W - pad - bw, top, W - pad, top + bh);
        g.InPlaceMax = TRect(g.InPlaceClose.Left - 2 - bw, top, g.InPlaceClose.Left - 2, top + bh);
        g.InPlaceMin = TRect(g.InPlaceMax.Left - bw, top, g.InPlaceMax.Left, top + bh);
    }
    if (style.LogoArea)
        g.Logo = TRect(W - pad - 24, (g.Caption - 16) / 2, W - pad, (g.Caption - 16) / 2 + 16);

    const int captionRight = W - rightNeed;
    g.CaptionArea = TRect(captionLeft, g.ButtonTop, captionRight, buttonsBottom);
    g.CaptionObject = TRect(captionLeft, 2, captionRight, g.Caption - 2);
    if (g.CaptionObject.Left >= g.LT.X || g.CaptionObject.Right < g.RT.X)
        throw std::logic_error("the caption must reach from the left corner to the right one");
    return g;
}

TRect TAtlas::Add(const QImage& piece) {
    if (FX > 0 && FX + piece.width() > FWidth) {
        FX = 0;
        FY += FRowHeight;
        FRowHeight = 0;
    }
    const TRect r(FX, FY, FX + piece.width(), FY + piece.height());
    FPieces.push_back({r, piece});
    FX += piece.width();
    FRowHeight = std::max(FRowHeight, piece.height());
    return r;
}

QImage TAtlas::Picture() const {
    int width = 1, height = 1;
    for (const TPiece& p : FPieces) {
        width = std::max(width, p.Rect.Right);
        height = std::max(height, p.Rect.Bottom);
    }
    QImage picture = NewPicture(width, height);
    QPainter p(&picture);
    for (const TPiece& piece : FPieces)
        p.drawImage(piece.Rect.Left, piece.Rect.Top, piece.Image);
    return picture;
}

int TextHeight(const QString& fontName, int height, bool bold) {
    TBitmap bitmap(1, 1);
    TCanvas& c = bitmap.Canvas();
    c.Font.SetName(fontName);
    c.Font.SetHeight(height);
    c.Font.SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{});
    return c.TextHeight(QStringLiteral("Wg"));
}

QRectF ToRectF(const TRect& r) {
    return QRectF(r.Left, r.Top, r.Width(), r.Height());
}

QImage Crop(const QImage& image, const TRect& r) {
    return image.copy(r.Left, r.Top, r.Width(), r.Height());
}

namespace {

// A seamless client background tile for themes that ask for one.
QImage BackgroundTile(const TSkinTheme& theme) {
    if (theme.Pattern == TPattern::Snow) {
        const int n = 160;
        QImage tile = NewPicture(n, n, theme.Panel);
        QPainter p(&tile);
        Begin(p);
        const QColor& b = theme.PanelBorder;
        // Crystals of several sizes and turns, and specks; each drawn at every wrapped
        // position so the tile joins itself.
        const struct {
            double x, y, r, turn;
        } flakes[] = {{24, 30, 7, 0.2},    {102, 18, 4.5, 0.5}, {70, 84, 5.5, 0.9},
                      {140, 70, 3.5, 0.1}, {30, 128, 4, 0.7},   {118, 132, 6.5, 0.35},
                      {86, 50, 1.6, 0},    {12, 78, 1.3, 0},    {150, 110, 1.5, 0},
                      {56, 150, 1.2, 0},   {132, 42, 1.1, 0},   {48, 102, 1.4, 0}};
        for (const auto& f : flakes)
            for (int wx = -1; wx <= 1; ++wx)
                for (int wy = -1; wy <= 1; ++wy) {
                    const QPointF c(f.x + wx * n, f.y + wy * n);
                    const QColor ink(b.red(), b.green(), b.blue(), f.r < 3 ? 80 : 58);
                    if (f.r < 3) {
                        p.setPen(Qt::NoPen);
                        p.setBrush(ink);
                        p.drawEllipse(c, f.r * 0.6, f.r * 0.6);
                        continue;
                    }
                    p.setPen(QPen(ink, 1.0, Qt::SolidLine, Qt::RoundCap));
                    for (int arm = 0; arm < 6; ++arm) {
                        const double a = arm * M_PI / 3 + f.turn;
                        const QPointF d(std::cos(a), std::sin(a));
                        p.drawLine(c, c + d * f.r);
                        const QPointF m = c + d * (f.r * 0.6);
                        const QPointF s1(std::cos(a + 0.7), std::sin(a + 0.7));
                        const QPointF s2(std::cos(a - 0.7), std::sin(a - 0.7));
                        p.drawLine(m, m + s1 * (f.r * 0.3));
                        p.drawLine(m, m + s2 * (f.r * 0.3));
                    }
                }
        return tile;
    }
    // Paper: cream with a fine grain.
    const int n = 128;
    QImage tile = NewPicture(n, n, theme.Panel);
    QPainter p(&tile);
    Begin(p);
    Pattern(p, QRectF(0, 0, n, n), theme, QColor(120, 84, 40, 20));
    return tile;
}

// A background for MDI client areas: walnut for the paper theme, the night sky for stars.
QImage MdiBackgroundTile(const TSkinTheme& theme) {
    const int n = 128;
    if (theme.Pattern == TPattern::Stars) {
        QImage tile = NewPicture(n, n, theme.FrameBottom);
        QPainter p(&tile);
        Begin(p);
        Pattern(p, QRectF(0, 0, n, n), theme, QColor(255, 240, 200, 220));
        return tile;
    }
    QImage tile = NewPicture(n, n / 2, theme.FrameBottom);
    QPainter p(&tile);
    Begin(p);
    for (int y = 0; y < n / 2; ++y) {
        const double shade = 0.5 + 0.5 * std::sin(y * 0.9) * std::sin(y * 0.23);
        p.setPen(QPen(Mix(theme.FrameBottom, theme.FrameTop, shade * 0.6), 1));
        // Grain lines wave once across the tile so the tile joins itself.
        QPainterPath line;
        for (int x = 0; x <= n; x += 4) {
            const QPointF pt(x, y + 0.5 + 0.8 * std::sin(2 * M_PI * x / n + y * 0.4));
            if (x == 0)
                line.moveTo(pt);
            else
                line.lineTo(pt);
        }
        p.drawPath(line);
    }
    Pattern(p, QRectF(0, 0, n, n / 2), theme, QColor(40, 20, 6, 60));
    return tile;
}

void WriteFormInfo(TSkinBuilder& skin, const TSkinTheme& theme, const TFrameStyle& style,
                   const TFrameGeometry& g, int background, int mdiBackground) {
    const int c = std::max(16, g.Radius + 6);
    TSkinSection& f = skin.Section(QStringLiteral("FORMINFO"));
    f.Point(QStringLiteral("lefttoppoint"), g.LT)
        .Point(QStringLiteral("righttoppoint"), g.RT)
        .Point(QStringLiteral("leftbottompoint"), g.LB)
        .Point(QStringLiteral("rightbottompoint"), g.RB)
        .Rect(QStringLiteral("clientrect"), g.Client)
        .Int(QStringLiteral("bgpictureindex"), background)
        .Int(QStringLiteral("mdibgpictureindex"), mdiBackground)
        .Bool(QStringLiteral("leftstretch"), theme.StretchLeft)
        .Bool(QStringLiteral("rightstretch"), theme.StretchRight)
        .Bool(QStringLiteral("topstretch"), theme.StretchTop)
        .Bool(QStringLiteral("bottomstretch"), theme.StretchBottom)
        .Rect(QStringLiteral("maskrectarea"), g.Client)
        .Point(QStringLiteral("hittestlefttoppoint"), TPoint(c, c))
        .Point(QStringLiteral("hittestrighttoppoint"), TPoint(g.Width - c, c))
        .Point(QStringLiteral("hittestleftbottompoint"), TPoint(c, g.Height - c))
        .Point(QStringLiteral("hittestrightbottompoint"), TPoint(g.Width - c, g.Height - c))
        .Rect(QStringLiteral("buttonsrect"), g.ButtonsArea)
        .Rect(QStringLiteral("captionrect"), g.CaptionArea)
        .Int(QStringLiteral("buttonsoffset"), style.ButtonGap)
        .Bool(QStringLiteral("buttonsinleft"), theme.ButtonsInLeft)
        .Bool(QStringLiteral("mainmenupopupup"), false)
        .Int(QStringLiteral("borderwidth"), theme.BorderWidth)
        .Bool(QStringLiteral("autorenderinginactiveimage"), theme.AutoInactive)
        .Set(QStringLiteral("inactiveeffect"), theme.InactiveEffect);
}

} // namespace

} // namespace FrameArt

void AddFrameParts(TSkinBuilder& skin) {
    using namespace FrameArt;
    const TSkinTheme& theme = skin.Theme();
    const TFrameStyle style = StyleFor(theme);
    const TFrameGeometry g = GeometryFor(theme, style);
    const TFramePictures pictures = PaintFrame(theme, style, g);
    skin.SetFramePicture(pictures.Active);
    if (!pictures.Inactive.isNull())
        skin.SetInactivePicture(pictures.Inactive);
    if (!pictures.Mask.isNull())
        skin.SetMask(pictures.Mask);

    TAtlas atlas(240);
    const TObjectLooks objects = PaintObjectLooks(theme, style, g, pictures, atlas);
    const TMenuLooks menus = PaintMenuLooks(theme, atlas);
    const int atlasIndex = skin.AddPicture(QStringLiteral("frameparts.bmp"), atlas.Picture());
    const int background = theme.BackgroundPicture ? skin.AddPicture(QStringLiteral("framebg.bmp"),
                                                                     BackgroundTile(theme))
                                                   : -1;
    const bool mdi = theme.Pattern == TPattern::Stars || theme.Face == TFaceStyle::Paper;
    const int mdiBackground =
        mdi ? skin.AddPicture(QStringLiteral("framemdibg.bmp"), MdiBackgroundTile(theme)) : -1;
    WriteFormInfo(skin, theme, style, g, background, mdiBackground);
    AddFrameObjects(skin, style, g, objects, atlasIndex);
    AddMenuRecords(skin, menus, atlasIndex);
}
