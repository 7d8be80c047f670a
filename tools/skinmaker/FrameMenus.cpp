// Popup menus, hints and the main menu bar: the popup window and hint window pictures
// (with masks for rounded skins), the menu-item and menu-bar-item looks, the MDI buttons of
// the menu bar, and their records.

#include "FrameArt.h"

#include <QPainter>
#include <algorithm>

using namespace SkinPaint;

namespace FrameArt {

namespace {

constexpr int ItemWidth = 40;    // menu item looks; the middle tiles sideways
constexpr int ItemHeight = 20;   // a menu item
constexpr int DividerHeight = 7; // a separator
constexpr int ItemEnd = 5;       // fixed ends of item looks (their rounding)
constexpr int BarWidth = 40;
constexpr int BarHeight = 22;
constexpr int BarItemWidth = 24;
constexpr int BarItemHeight = 20;
const QSize MdiButtonSize(16, 14);

double MenuRadius(const TSkinTheme& t) {
    return std::clamp(double(t.Radius), 0.0, 4.0);
}

// The highlight of a hot menu item or menu-bar item, over `background`.
QImage HotLook(const TSkinTheme& t, const QImage& background) {
    QImage image = background.convertToFormat(QImage::Format_RGB32);
    QPainter p(&image);
    Begin(p);
    const QRectF r(1, 1, image.width() - 2, image.height() - 2);
    const TFaceColors hot = {Lighter(t.MenuHot, t.Face == TFaceStyle::Glass ? 0.25 : 0.35),
                             t.MenuHot, Darker(t.MenuHot, 0.18), t.MenuHotText};
    if (t.Face == TFaceStyle::Flat) { // a shade deeper than the accent, for the white text
        p.fillRect(QRectF(0, 0, image.width(), image.height()), Darker(t.MenuHot, 0.1));
        return image;
    }
    if (t.Face == TFaceStyle::Paper) { // a flat warm band with a hairline, as on paper
        p.setBrush(t.MenuHot);
        p.setPen(QPen(Darker(t.MenuHot, 0.25), 1));
        p.drawPath(Rounded(r.adjusted(0.5, 0.5, -0.5, -0.5), 1));
        return image;
    }
    Face(p, r, t, hot, MenuRadius(t));
    return image;
}

// The look of an open menu-bar item: the menu's colour, joined to the popup below.
QImage DownLook(const TSkinTheme& t, const QImage& background) {
    QImage image = background.convertToFormat(QImage::Format_RGB32);
    QPainter p(&image);
    Begin(p);
    const double radius = t.Face == TFaceStyle::Flat ? 0 : MenuRadius(t);
    const QRectF r(1.5, 1.5, image.width() - 3, image.height() + 4);
    p.setBrush(t.Face == TFaceStyle::Flat ? Darker(t.MenuHot, 0.2) : t.MenuBack);
    p.setPen(QPen(t.Face == TFaceStyle::Flat ? Darker(t.MenuHot, 0.2) : t.PanelBorder, 1));
    p.drawPath(Rounded(r, radius));
    return image;
}

// The menu bar: a band that varies only downwards.
QImage BarLook(const TSkinTheme& t) {
    QImage image = NewPicture(BarWidth, BarHeight, t.Panel);
    QPainter p(&image);
    Begin(p);
    const QRectF r(0, 0, BarWidth, BarHeight);
    switch (t.Face) {
    case TFaceStyle::Flat:
        p.fillRect(r, t.Panel);
        break;
    case TFaceStyle::Paper:
        p.fillRect(r, t.Panel);
        p.fillRect(QRectF(0, 0, BarWidth, 1), Lighter(t.Panel, 0.7));
        break;
    case TFaceStyle::Glass:
        Gradient(p, r, Lighter(t.Panel, 0.6), t.Panel);
        break;
    default:
        Gradient(p, r, Lighter(t.Panel, 0.75), t.Panel);
        break;
    }
    p.fillRect(QRectF(0, BarHeight - 1, BarWidth, 1), t.PanelBorder);
    return image;
}

QImage MdiLook(const TSkinTheme& t, const QImage& background, TGlyph glyph, TLook look) {
    QImage image = background.convertToFormat(QImage::Format_RGB32);
    QPainter p(&image);
    Begin(p);
    const QRectF r(0, 0, image.width(), image.height());
    QColor ink = t.MenuText;
    if (look != TLook::Normal) {
        const TFaceColors& c = look == TLook::Hot ? t.Hot : t.Down;
        Face(p, r, t, c, std::min(2.0, MenuRadius(t)));
        ink = c.Text;
    }
    Glyph(p, look == TLook::Down ? r.translated(1, 1) : r, glyph, ink, 1.4);
    return image;
}

// The popup menu window: a frame around the items; the items area is the menu colour.
QImage PopupLook(const TSkinTheme& t, int size, int border) {
    QImage image = NewPicture(size, size, t.MenuBack);
    QPainter p(&image);
    Begin(p);
    const double radius = t.FrameCornerRadius > 0 ? 4 : 0;
    const QRectF outer(0.5, 0.5, size - 1, size - 1);
    QColor edge = Mix(t.PanelBorder, t.MenuText, 0.25);
    QColor inner = Lighter(t.MenuBack, 0.6);
    switch (t.Face) {
    case TFaceStyle::Velvet:
        edge = t.FrameTop;
        inner = Mix(t.MenuBack, t.Accent, 0.5);
        break;
    case TFaceStyle::Flat:
        edge = t.FrameBorder;
        inner = t.MenuBack;
        break;
    case TFaceStyle::Paper:
        edge = t.FrameBottom;
        break;
    default:
        break;
    }
    p.setBrush(t.MenuBack);
    p.setPen(QPen(edge, 1));
    p.drawPath(Rounded(outer, radius));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(inner, 1));
    p.drawPath(Rounded(outer.adjusted(1, 1, -1, -1), std::max(0.0, radius - 1)));
    if (t.Face == TFaceStyle::Flat) // the sweep across the top; the top edge stretches
        Gradient(p, QRectF(0, 0, size, border - 1), t.SweepFrom, t.SweepTo, true);
    if (t.Face == TFaceStyle::Paper) { // raised like a card
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(Darker(t.MenuBack, 0.18), 1));
        p.drawLine(1, size - 2, size - 2, size - 2);
        p.drawLine(size - 2, 1, size - 2, size - 2);
    }
    if (radius > 0) {
        QImage cut = image;
        CutOutside(cut, Rounded(QRectF(0, 0, size, size), radius));
        return cut;
    }
    return image;
}

QImage HintLook(const TSkinTheme& t, QSize size) {
    QImage image = NewPicture(size.width(), size.height(), t.HintBack);
    QPainter p(&image);
    Begin(p);
    const double radius = t.FrameCornerRadius > 0 ? 3 : 0;
    p.setBrush(t.HintBack);
    p.setPen(QPen(t.HintBorder, 1));
    p.drawPath(Rounded(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), radius));
    if (t.Face == TFaceStyle::Flat) // a pink bar down the left edge
        p.fillRect(QRectF(1, 1, 2, size.height() - 2), t.HintBorder);
    if (radius > 0)
        CutOutside(image, Rounded(QRectF(0, 0, size.width(), size.height()), radius));
    return image;
}

QPainterPath RoundedWindow(QSize size, double radius) {
    return Rounded(QRectF(0, 0, size.width(), size.height()), radius);
}

void Points(TSkinSection& s, int corner, int w, int h) {
    s.Point(QStringLiteral("lefttoppoint"), TPoint(corner, corner))
        .Point(QStringLiteral("righttoppoint"), TPoint(w - corner, corner))
        .Point(QStringLiteral("leftbottompoint"), TPoint(corner, h - corner))
        .Point(QStringLiteral("rightbottompoint"), TPoint(w - corner, h - corner));
}

void Stretch(TSkinSection& s, bool left, bool right, bool top, bool bottom) {
    s.Bool(QStringLiteral("leftstretch"), left)
        .Bool(QStringLiteral("rightstretch"), right)
        .Bool(QStringLiteral("topstretch"), top)
        .Bool(QStringLiteral("bottomstretch"), bottom);
}

void MdiButton(TSkinBuilder& skin, const QString& name, const QString& command, const QString& hint,
               const TRect (&looks)[3], int atlasIndex) {
    skin.Object(name, QStringLiteral("mainmenubarbutton"))
        .Set(QStringLiteral("hint"), hint)
        .Int(QStringLiteral("activepictureindex"), atlasIndex)
        .Bool(QStringLiteral("skinrectinapicture"), true)
        .Rect(QStringLiteral("skinrect"), looks[0])
        .Rect(QStringLiteral("activeskinrect"), looks[1])
        .Bool(QStringLiteral("morphing"), false)
        .Rect(QStringLiteral("downrect"), looks[2])
        .Set(QStringLiteral("command"), command);
}

} // namespace

TMenuLooks PaintMenuLooks(const TSkinTheme& t, TAtlas& atlas) {
    TMenuLooks looks;
    const QImage bar = BarLook(t);
    looks.Bar = atlas.Add(bar);

    const QImage itemBack = NewPicture(ItemWidth, ItemHeight, t.MenuBack);
    looks.ItemNormal = atlas.Add(itemBack);
    looks.ItemHot = atlas.Add(HotLook(t, itemBack));
    QImage divider = NewPicture(ItemWidth, DividerHeight, t.MenuBack);
    {
        QPainter p(&divider);
        // An etched line: its shadow and its light depend on how dark the menu is.
        const bool dark = t.MenuBack.lightness() < 128;
        p.fillRect(QRect(4, 3, ItemWidth - 8, 1),
                   dark ? Darker(t.MenuBack, 0.5) : Mix(t.MenuBack, t.MenuText, 0.22));
        p.fillRect(QRect(4, 4, ItemWidth - 8, 1),
                   dark ? Mix(t.MenuBack, t.MenuText, 0.2) : Lighter(t.MenuBack, 0.7));
    }
    looks.Divider = atlas.Add(divider);

    const int top = (BarHeight - BarItemHeight) / 2;
    const QImage barBack = bar.copy(0, top, BarItemWidth, BarItemHeight);
    looks.BarItem = atlas.Add(barBack);
    looks.BarItemHot = atlas.Add(HotLook(t, barBack));
    looks.BarItemDown = atlas.Add(DownLook(t, barBack));
    const int textHeight = TextHeight(t.FontName, t.FontHeight, false);
    looks.BarItemTextTop = std::max(0, (BarItemHeight - textHeight) / 2);

    const int mdiTop = (BarHeight - MdiButtonSize.height()) / 2;
    const QImage mdiBack = bar.copy(0, mdiTop, MdiButtonSize.width(), MdiButtonSize.height());
    const TGlyph glyphs[4] = {TGlyph::Close, TGlyph::Minimize, TGlyph::Restore, TGlyph::SysMenu};
    for (int i = 0; i < 4; ++i)
        for (int k = 0; k < 3; ++k)
            looks.MdiButtons[i][k] =
                atlas.Add(MdiLook(t, mdiBack, glyphs[i], static_cast<TLook>(k)));
    return looks;
}

void AddMenuRecords(TSkinBuilder& skin, const TMenuLooks& looks, int atlasIndex) {
    const TSkinTheme& t = skin.Theme();
    const bool rounded = t.FrameCornerRadius > 0;

    // The popup menu window.
    const int popupSize = 48, popupBorder = 3;
    const int popup =
        skin.AddPicture(QStringLiteral("popupmenu.bmp"), PopupLook(t, popupSize, popupBorder));
    const int popupMask = rounded
                              ? skin.AddPicture(QStringLiteral("popupmenumask.bmp"),
                                                Mask(popupSize, popupSize,
                                                     RoundedWindow(QSize(popupSize, popupSize), 4)))
                              : -1;
    TSkinSection& pw = skin.Section(QStringLiteral("POPUPWINDOW"));
    pw.Int(QStringLiteral("windowpictureindex"), popup)
        .Int(QStringLiteral("maskpictureindex"), popupMask);
    Points(pw, 6, popupSize, popupSize);
    pw.Rect(QStringLiteral("itemsrect"),
            TRect(popupBorder, popupBorder, popupSize - popupBorder, popupSize - popupBorder))
        .Color(QStringLiteral("scrollmarkercolor"), Mix(t.MenuText, t.MenuBack, 0.45))
        .Color(QStringLiteral("scrollmarkeractivecolor"), t.Accent);
    Stretch(pw, t.StretchLeft, t.StretchRight, t.Face == TFaceStyle::Flat, false);

    // The hint window.
    const QSize hintSize(32, 22);
    const int hint = skin.AddPicture(QStringLiteral("hint.bmp"), HintLook(t, hintSize));
    const int hintMask =
        rounded
            ? skin.AddPicture(QStringLiteral("hintmask.bmp"),
                              Mask(hintSize.width(), hintSize.height(), RoundedWindow(hintSize, 3)))
            : -1;
    TSkinSection& hw = skin.Section(QStringLiteral("HINTWINDOW"));
    hw.Int(QStringLiteral("windowpictureindex"), hint)
        .Int(QStringLiteral("maskpictureindex"), hintMask);
    Points(hw, 5, hintSize.width(), hintSize.height());
    hw.Rect(QStringLiteral("clientrect"), TRect(5, 3, hintSize.width() - 5, hintSize.height() - 3))
        .Font(t.FontName, t.FontHeight, false, t.HintText);
    Stretch(hw, false, false, false, false);

    // Menu items of popup menus.
    TSkinSection& mi = skin.Object(QStringLiteral("menuitem"), QStringLiteral("menuitem"));
    mi.Set(QStringLiteral("hint"), QString())
        .Int(QStringLiteral("activepictureindex"), atlasIndex)
        .Bool(QStringLiteral("skinrectinapicture"), false)
        .Rect(QStringLiteral("skinrect"), looks.ItemNormal)
        .Rect(QStringLiteral("activeskinrect"), looks.ItemHot)
        .Bool(QStringLiteral("morphing"), !t.MenuMorph.isEmpty());
    if (!t.MenuMorph.isEmpty())
        mi.Set(QStringLiteral("morphkind"), t.MenuMorph);
    mi.Int(QStringLiteral("itemleftoffset"), ItemEnd)
        .Int(QStringLiteral("itemrightoffset"), ItemEnd)
        .Rect(QStringLiteral("dividerrect"), looks.Divider)
        .Int(QStringLiteral("dividerleftoffset"), 6)
        .Int(QStringLiteral("dividerrightoffset"), 6)
        .Rect(QStringLiteral("textrect"), TRect(4, 0, ItemWidth - 4, ItemHeight))
        .Font(t.FontName, t.FontHeight, false, t.MenuText)
        .Color(QStringLiteral("activefontcolor"), t.MenuHotText)
        .Color(QStringLiteral("unenabledfontcolor"), t.MenuDisabledText);

    // Items of the main menu bar.
    TSkinSection& bi =
        skin.Object(QStringLiteral("menubaritem"), QStringLiteral("mainmenubaritem"));
    bi.Set(QStringLiteral("hint"), QString())
        .Int(QStringLiteral("activepictureindex"), atlasIndex)
        .Bool(QStringLiteral("skinrectinapicture"), false)
        .Rect(QStringLiteral("skinrect"), looks.BarItem)
        .Rect(QStringLiteral("activeskinrect"), looks.BarItemHot)
        .Bool(QStringLiteral("morphing"), !t.MenuMorph.isEmpty());
    if (!t.MenuMorph.isEmpty())
        bi.Set(QStringLiteral("morphkind"), t.MenuMorph);
    bi.Int(QStringLiteral("itemleftoffset"), ItemEnd)
        .Int(QStringLiteral("itemrightoffset"), ItemEnd)
        .Rect(QStringLiteral("downrect"), looks.BarItemDown)
        .Rect(QStringLiteral("textrect"), TRect(8, looks.BarItemTextTop, BarItemWidth - 8,
                                                BarItemHeight - looks.BarItemTextTop))
        .Font(t.FontName, t.FontHeight, false, t.MenuText)
        .Color(QStringLiteral("activefontcolor"), t.MenuHotText)
        .Color(QStringLiteral("downfontcolor"), t.MenuText)
        .Color(QStringLiteral("unenabledfontColor"), t.MenuDisabledText);

    // The control buttons of a maximized MDI child, on the menu bar.
    MdiButton(skin, QStringLiteral("mdiclosebutton"), QStringLiteral("cmclose"),
              QStringLiteral("关闭"), looks.MdiButtons[0], atlasIndex);
    MdiButton(skin, QStringLiteral("mdiminbutton"), QStringLiteral("cmminimize"),
              QStringLiteral("最小化"), looks.MdiButtons[1], atlasIndex);
    MdiButton(skin, QStringLiteral("mdimaxbutton"), QStringLiteral("cmmaximize"),
              QStringLiteral("还原"), looks.MdiButtons[2], atlasIndex);
    MdiButton(skin, QStringLiteral("mdisysmenubutton"), QStringLiteral("cmsysmenu"),
              QStringLiteral("系统菜单"), looks.MdiButtons[3], atlasIndex);

    // The main menu bar.
    skin.Control(QStringLiteral("mainmenubar"), QStringLiteral("mainmenubar"))
        .Int(QStringLiteral("pictureindex"), atlasIndex)
        .Int(QStringLiteral("maskpictureindex"), -1)
        .Rect(QStringLiteral("skinrect"), looks.Bar)
        .Rect(QStringLiteral("itemsrect"), TRect(2, 1, BarWidth - 2, BarHeight - 1))
        .Set(QStringLiteral("menubaritem"), QStringLiteral("menubaritem"))
        .Set(QStringLiteral("closebutton"), QStringLiteral("mdiclosebutton"))
        .Set(QStringLiteral("minbutton"), QStringLiteral("mdiminbutton"))
        .Set(QStringLiteral("maxbutton"), QStringLiteral("mdimaxbutton"))
        .Set(QStringLiteral("sysmenubutton"), QStringLiteral("mdisysmenubutton"))
        .Color(QStringLiteral("trackmarkcolor"), Mix(t.MenuText, t.Panel, 0.35))
        .Color(QStringLiteral("trackmarkactivecolor"), t.Accent);
}

} // namespace FrameArt
