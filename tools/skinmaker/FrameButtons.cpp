// Caption buttons, the twinkling system-menu star, the caption plate and the decorative
// frame objects, and their records.
//
// Every look is an opaque rectangle drawn over the frame, so each one is painted over the
// very caption pixels it will cover: a crop of the caption bar at the row where the layout
// puts the button (or of the frame picture, for buttons drawn in place).

#include "FrameArt.h"

#include <QPainter>
#include <QRadialGradient>
#include <cmath>

using namespace SkinPaint;

namespace FrameArt {

namespace {

const TFaceColors RedHot = {QColor(255, 150, 138), QColor(212, 44, 36), QColor(128, 18, 12),
                            QColor(255, 255, 255)};
const TFaceColors RedFrost = {QColor(255, 176, 170), QColor(222, 70, 66), QColor(170, 40, 36),
                              QColor(130, 16, 20)};

TFaceColors ColorsFor(const TSkinTheme& t, const TFrameStyle& style, TLook look, bool close) {
    switch (look) {
    case TLook::Normal:
        return t.Normal;
    case TLook::Hot:
        if (close && style.RedClose)
            return t.Face == TFaceStyle::Frosted ? RedFrost : RedHot;
        return t.Hot;
    case TLook::Down:
        if (close && style.RedClose) {
            const TFaceColors& red = t.Face == TFaceStyle::Frosted ? RedFrost : RedHot;
            return {Darker(red.Bottom, 0.15), red.Top, red.Border, QColor(255, 255, 255)};
        }
        return t.Down;
    case TLook::Disabled:
        return t.Disabled;
    }
    return t.Normal;
}

double GlyphWeight(const QSize& size) {
    return size.height() >= 20 ? 1.9 : 1.7;
}

// The glyph with a soft shadow under it, for glyphs on strong colours.
void ShadowedGlyph(QPainter& p, const QRectF& r, TGlyph glyph, const QColor& color,
                   const QColor& shadow, double weight) {
    Glyph(p, r.translated(0.8, 0.8), glyph, shadow, weight);
    Glyph(p, r, glyph, color, weight);
}

// A pressed face sinks: a shadow falls in from its top edge.
void PressedShade(QPainter& p, const QPainterPath& face, const QRectF& r) {
    p.save();
    p.setClipPath(face);
    QLinearGradient shade(r.topLeft(), QPointF(r.left(), r.top() + r.height() * 0.5));
    shade.setColorAt(0, QColor(0, 0, 0, 80));
    shade.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(r, shade);
    p.restore();
}

// A hot frosted face lights up from below in the accent colour.
void FrostGlow(QPainter& p, const QPainterPath& face, const QRectF& r, const QColor& accent) {
    p.save();
    p.setClipPath(face);
    QLinearGradient glow(QPointF(r.left(), r.top() + r.height() * 0.35), r.bottomLeft());
    glow.setColorAt(0, QColor(accent.red(), accent.green(), accent.blue(), 0));
    glow.setColorAt(1, QColor(accent.red(), accent.green(), accent.blue(), 150));
    p.fillRect(r, glow);
    p.restore();
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(accent, 1));
    p.drawPath(face);
    p.restore();
}

// The sunken bevel of a pressed classic button.
void SunkenBevel(QPainter& p, const QRectF& r, const TFaceColors& c) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Darker(c.Bottom, 0.3), 1));
    p.drawLine(QPointF(r.left() + 1, r.top() + 1), QPointF(r.right() - 2, r.top() + 1));
    p.drawLine(QPointF(r.left() + 1, r.top() + 1), QPointF(r.left() + 1, r.bottom() - 2));
    p.setPen(QPen(Lighter(c.Top, 0.5), 1));
    p.drawLine(QPointF(r.left() + 2, r.bottom() - 2), QPointF(r.right() - 2, r.bottom() - 2));
    p.drawLine(QPointF(r.right() - 2, r.top() + 2), QPointF(r.right() - 2, r.bottom() - 2));
    p.restore();
}

} // namespace

QImage ButtonLook(const TSkinTheme& t, const TFrameStyle& style, const QImage& background,
                  TGlyph glyph, TLook look, bool close) {
    QImage image = background.convertToFormat(QImage::Format_RGB32);
    const QSize size = image.size();
    const QRectF r(0, 0, size.width(), size.height());
    const TFaceColors colors = ColorsFor(t, style, look, close);
    const double weight = GlyphWeight(size);
    const bool pressed = look == TLook::Down;
    const QRectF glyphRect = pressed ? r.translated(1, 1) : r;
    const double radius = style.Round ? std::min(r.width(), r.height()) / 2 : style.ButtonRadius;
    const QRectF faceRect =
        style.Round ? QRectF((r.width() - r.height()) / 2, 0, r.height(), r.height()) : r;
    QPainter p(&image);
    Begin(p);
    switch (t.Face) {
    case TFaceStyle::Soft:
        if (look == TLook::Normal || look == TLook::Disabled) {
            // A quiet glassy square on the caption; the glyph in the caption's text colour.
            if (look == TLook::Normal) {
                p.setBrush(QColor(255, 255, 255, 36));
                p.setPen(QPen(QColor(255, 255, 255, 96), 1));
                p.drawPath(Rounded(r.adjusted(0.5, 0.5, -0.5, -0.5), radius));
            }
            QColor ink = t.CaptionTextActive;
            if (look == TLook::Disabled)
                ink.setAlpha(95);
            ShadowedGlyph(p, glyphRect, glyph, ink,
                          QColor(t.CaptionShadowColor.red(), t.CaptionShadowColor.green(),
                                 t.CaptionShadowColor.blue(), 150),
                          weight);
            break;
        }
        Face(p, r, t, colors, radius);
        if (pressed)
            PressedShade(p, Rounded(r, radius), r);
        Glyph(p, glyphRect, glyph, colors.Text, weight);
        break;
    case TFaceStyle::Glass:
    case TFaceStyle::Velvet:
        Face(p, faceRect, t, colors, radius);
        if (pressed)
            PressedShade(p, Rounded(faceRect, radius), faceRect);
        ShadowedGlyph(p, glyphRect, glyph, colors.Text, QColor(0, 0, 0, 90), weight);
        break;
    case TFaceStyle::Frosted:
        Face(p, r, t, colors, radius);
        if (look == TLook::Hot && !close)
            FrostGlow(p, Rounded(r.adjusted(0.5, 0.5, -0.5, -0.5), radius), r, t.Accent);
        if (pressed)
            PressedShade(p, Rounded(r, radius), r);
        Glyph(p, glyphRect, glyph, colors.Text, weight);
        break;
    case TFaceStyle::Paper:
        Face(p, r, t, colors, radius);
        if (pressed)
            SunkenBevel(p, r, colors);
        if (look == TLook::Disabled) // etched
            Glyph(p, glyphRect.translated(1, 1), glyph, Lighter(colors.Top, 0.8), weight);
        Glyph(p, glyphRect, glyph, colors.Text, weight);
        break;
    case TFaceStyle::Flat: {
        QColor fill = Qt::transparent;
        if (look == TLook::Hot)
            fill = close ? t.FrameTop : QColor(255, 255, 255, 64);
        else if (look == TLook::Down)
            fill = close ? t.FrameBorder : QColor(0, 0, 0, 64);
        p.fillRect(r, fill);
        QColor ink = t.CaptionTextActive;
        if (look == TLook::Disabled)
            ink.setAlpha(100);
        Glyph(p, glyphRect, glyph, ink, weight);
        break;
    }
    }
    return image;
}

void PaintInPlaceButton(QImage& frame, const TSkinTheme& t, const TFrameStyle& style,
                        const TRect& r, TGlyph glyph) {
    const QImage look = ButtonLook(t, style, Crop(frame, r), glyph, TLook::Normal);
    QPainter p(&frame);
    p.drawImage(r.Left, r.Top, look);
}

void PaintMoon(QPainter& p, const QRectF& r, const TSkinTheme& t, bool glow) {
    const QPointF c = r.center();
    const double radius = std::min(r.width(), r.height()) * 0.36;
    p.save();
    p.setPen(Qt::NoPen);
    if (glow) {
        QRadialGradient halo(c, r.width() * 0.55);
        halo.setColorAt(0, QColor(255, 220, 140, 150));
        halo.setColorAt(1, QColor(255, 220, 140, 0));
        p.setBrush(halo);
        p.drawEllipse(r);
    }
    QPainterPath disc;
    disc.addEllipse(c, radius, radius);
    QPainterPath bite;
    bite.addEllipse(c + QPointF(radius * 0.55, -radius * 0.35), radius * 0.85, radius * 0.85);
    const QColor gold = glow ? Lighter(t.Accent, 0.45) : t.Accent;
    QLinearGradient fill(r.topLeft(), r.bottomRight());
    fill.setColorAt(0, Lighter(gold, 0.35));
    fill.setColorAt(1, gold);
    p.setBrush(fill);
    p.drawPath(disc.subtracted(bite));
    p.restore();
}

void PaintLogo(QPainter& p, const QRectF& r, const TSkinTheme&) {
    // Three slanted bars: the skin's fashion mark.
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        const double x = r.left() + 3 + i * 6;
        QPolygonF bar({QPointF(x + 4, r.top() + 2), QPointF(x + 7, r.top() + 2),
                       QPointF(x + 3, r.bottom() - 2), QPointF(x, r.bottom() - 2)});
        p.setBrush(QColor(255, 255, 255, 120 + 50 * i));
        p.drawPolygon(bar);
    }
    p.restore();
}

namespace {

// A four-pointed star of `scale` turned by `angle` degrees, with a glow of `glow` (0..1).
void PaintStar(QPainter& p, const QPointF& c, double size, double scale, double angle, double glow,
               const QColor& gold) {
    p.save();
    p.translate(c);
    p.rotate(angle);
    if (glow > 0) {
        QRadialGradient halo(QPointF(0, 0), size * 0.55);
        halo.setColorAt(0, QColor(255, 236, 170, int(170 * glow)));
        halo.setColorAt(1, QColor(255, 236, 170, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(halo);
        p.drawEllipse(QPointF(0, 0), size * 0.55, size * 0.55);
    }
    const double h = size * 0.42 * scale;
    const QPainterPath star = SparklePath(QPointF(0, 0), h, 0);
    QRadialGradient fill(QPointF(0, 0), h);
    fill.setColorAt(0, QColor(255, 255, 240));
    fill.setColorAt(0.5, Lighter(gold, 0.3));
    fill.setColorAt(1, gold);
    p.setPen(QPen(Darker(gold, 0.25), 0.6));
    p.setBrush(fill);
    p.drawPath(star);
    p.restore();
}

// The frames of the twinkle: the resting star first, then it flares, turns and settles.
QImage StarStrip(const TSkinTheme& t, const QImage& background, int frames) {
    const int w = background.width(), h = background.height();
    QImage strip = NewPicture(w * frames, h);
    const struct {
        double scale, angle, glow;
    } steps[] = {{0.9, 0, 0.25}, {1.0, 8, 0.5},   {1.12, 18, 0.85},
                 {1.0, 30, 1.0}, {0.92, 40, 0.7}, {0.85, 45, 0.4}};
    QPainter p(&strip);
    Begin(p);
    for (int k = 0; k < frames; ++k) {
        p.drawImage(k * w, 0, background);
        const auto& s = steps[k % 6];
        PaintStar(p, QPointF(k * w + w / 2.0, h / 2.0), std::min(w, h), s.scale, s.angle, s.glow,
                  t.Accent);
    }
    return strip;
}

// The caption plate: a dark capsule with a gold rim behind the title.
QImage PlateLook(const TSkinTheme& t, const QImage& background, bool active) {
    QImage image = background.convertToFormat(QImage::Format_RGB32);
    const QRectF r(0.5, 0.5, image.width() - 1, image.height() - 1);
    QPainter p(&image);
    Begin(p);
    const double radius = r.height() / 2;
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, Darker(t.FrameTop, active ? 0.45 : 0.3));
    fill.setColorAt(1, Darker(t.FrameTop, active ? 0.2 : 0.1));
    p.setBrush(fill);
    QColor rim = active ? t.Accent : Mix(t.FrameTop, t.FrameLight, 0.6);
    rim.setAlpha(active ? 210 : 150);
    p.setPen(QPen(rim, 1));
    p.drawPath(Rounded(r, radius));
    return image;
}

TButtonLooks LooksOver(const TSkinTheme& t, const TFrameStyle& style, TAtlas& atlas,
                       const QImage& background, const QImage& inactiveBackground, TGlyph glyph,
                       bool close, TGlyph restoreGlyph, bool restore) {
    TButtonLooks l;
    l.Normal = atlas.Add(ButtonLook(t, style, background, glyph, TLook::Normal, close));
    l.Hot = atlas.Add(ButtonLook(t, style, background, glyph, TLook::Hot, close));
    l.Down = atlas.Add(ButtonLook(t, style, background, glyph, TLook::Down, close));
    l.Disabled = atlas.Add(ButtonLook(t, style, background, glyph, TLook::Disabled, close));
    if (restore) {
        l.Restore = atlas.Add(ButtonLook(t, style, background, restoreGlyph, TLook::Normal));
        l.RestoreHot = atlas.Add(ButtonLook(t, style, background, restoreGlyph, TLook::Hot));
        l.RestoreDown = atlas.Add(ButtonLook(t, style, background, restoreGlyph, TLook::Down));
        l.RestoreInactive =
            atlas.Add(ButtonLook(t, style, inactiveBackground, restoreGlyph, TLook::Normal));
    }
    return l;
}

} // namespace

TObjectLooks PaintObjectLooks(const TSkinTheme& t, const TFrameStyle& style,
                              const TFrameGeometry& g, const TFramePictures& pictures,
                              TAtlas& atlas) {
    TObjectLooks looks;
    const QSize b = style.Button;
    // Where the caption bar is plain: under the flat sweep's buttons, else past the left corner.
    const int plainX = t.Face == TFaceStyle::Flat ? 1 : g.LT.X;
    const QImage& inactiveBand =
        pictures.InactiveBand.isNull() ? pictures.CleanBand : pictures.InactiveBand;
    auto band = [&](const QImage& source, int top, QSize size) {
        return Crop(source, TRect(plainX, top, plainX + size.width(), top + size.height()));
    };
    auto looksAt = [&](const TRect& inPlace, TGlyph glyph, bool close, TGlyph restoreGlyph,
                       bool restore) {
        if (!inPlace.IsEmpty()) {
            const QImage bg = Crop(pictures.Active, inPlace);
            return LooksOver(t, style, atlas, bg, bg, glyph, close, restoreGlyph, restore);
        }
        return LooksOver(t, style, atlas, band(pictures.CleanBand, g.ButtonTop, b),
                         band(inactiveBand, g.ButtonTop, b), glyph, close, restoreGlyph, restore);
    };
    looks.Close = looksAt(g.InPlaceClose, TGlyph::Close, true, TGlyph::Close, false);
    looks.Max = looksAt(g.InPlaceMax, TGlyph::Maximize, false, TGlyph::Restore, true);
    looks.Min = looksAt(g.InPlaceMin, TGlyph::Minimize, false, TGlyph::Restore, true);
    looks.RollUp = looksAt(TRect(), TGlyph::RollUp, false, TGlyph::RollDown, true);
    looks.Tray = looksAt(TRect(), TGlyph::Tray, false, TGlyph::Tray, false);

    // The system-menu button sits centred in the caption area, or after the buttons on
    // the left.
    const int sysTop =
        t.ButtonsInLeft ? g.ButtonTop
                        : g.CaptionArea.Top + g.CaptionArea.Height() / 2 - g.SysMenu.height() / 2;
    if (t.AnimatedSysMenu) {
        looks.StarFrames = 6;
        looks.Star =
            atlas.Add(StarStrip(t, band(pictures.CleanBand, sysTop, g.SysMenu), looks.StarFrames));
    } else if (!g.InPlaceSysMenu.IsEmpty()) {
        looks.SysMenu = looksAt(g.InPlaceSysMenu, TGlyph::SysMenu, false, TGlyph::SysMenu, false);
    } else {
        const QImage bg = band(pictures.CleanBand, sysTop, g.SysMenu);
        looks.SysMenu =
            LooksOver(t, style, atlas, bg, bg, TGlyph::SysMenu, false, TGlyph::SysMenu, false);
    }

    if (!g.Moon.IsEmpty()) {
        QImage hot = Crop(pictures.Active, g.Moon);
        QImage down = hot;
        {
            QPainter p(&hot);
            Begin(p);
            PaintMoon(p, QRectF(0, 0, hot.width(), hot.height()), t, true);
        }
        {
            QPainter p(&down);
            Begin(p);
            PaintMoon(p, QRectF(1, 1, down.width() - 1, down.height() - 1), t, true);
        }
        looks.MoonHot = atlas.Add(hot);
        looks.MoonDown = atlas.Add(down);
    }

    if (t.CaptionPlate) {
        // The text's top on the frame is centred in the caption object's text rect; the
        // plate is cut so that its rows meet the caption bar's rows there.
        const int textHeight = TextHeight(t.CaptionFontName, t.CaptionFontHeight, t.CaptionBold);
        const int padX = 14, padY = 3;
        // The caption moves its text rect's top down by the plate's text top, so the text
        // is centred in what is left below that.
        const int objectHeight = g.CaptionObject.Height();
        const int textTop = g.CaptionObject.Top + padY + (objectHeight - padY) / 2 - textHeight / 2;
        const int plateTop = std::max(0, textTop - padY);
        const QSize plate(60, std::min(g.Caption - 2 - plateTop, textHeight + 2 * padY));
        looks.Plate = atlas.Add(PlateLook(t, band(pictures.CleanBand, plateTop, plate), false));
        looks.PlateActive =
            atlas.Add(PlateLook(t, band(pictures.CleanBand, plateTop, plate), true));
        looks.PlateText =
            TRect(padX, textTop - plateTop, plate.width() - padX, textTop - plateTop + textHeight);
        looks.PlateLeft = looks.PlateRight = plate.height() / 2 + 2;
    }
    return looks;
}

namespace {

// The inactive caption colour. The inactive effects are applied over the text too: a
// darkened frame gets a lighter text, a blurred one the stronger active colour.
QColor InactiveCaptionColor(const TSkinTheme& t) {
    if (t.AutoInactive && t.InactiveEffect == QLatin1String("iebrightness"))
        return Darker(t.CaptionShadowColor, 0.5); // washed out to a grey that still reads
    if (t.AutoInactive && t.InactiveEffect == QLatin1String("iedarkness"))
        return Lighter(t.CaptionText, 0.5);
    if (t.AutoInactive && t.InactiveEffect == QLatin1String("iesplitblur"))
        return Mix(t.CaptionText, t.CaptionTextActive, 0.6);
    return t.CaptionText;
}

// A blurred shadow only clouds the text; under "iesplitblur" it takes the caption's colour.
// Under "iebrightness" the text turns dark, and its shadow light.
QColor InactiveShadowColor(const TSkinTheme& t) {
    if (t.AutoInactive && t.InactiveEffect == QLatin1String("iesplitblur"))
        return t.FrameTop;
    if (t.AutoInactive && t.InactiveEffect == QLatin1String("iebrightness"))
        return t.CaptionText; // a light edge under the grey text: engraved
    return t.CaptionShadowColor;
}

void ObjectBase(TSkinSection& s, const TSkinTheme& t, const QString& hint, int atlasIndex,
                bool inButtonsArea, const TRect& normal, const TRect& hot, bool morph) {
    s.Set(QStringLiteral("hint"), hint)
        .Int(QStringLiteral("activepictureindex"), atlasIndex)
        .Bool(QStringLiteral("skinrectinapicture"), inButtonsArea)
        .Rect(QStringLiteral("skinrect"), normal)
        .Rect(QStringLiteral("activeskinrect"), hot)
        .Bool(QStringLiteral("morphing"), morph && !t.ObjectMorph.isEmpty());
    if (morph && !t.ObjectMorph.isEmpty())
        s.Set(QStringLiteral("morphkind"), t.ObjectMorph);
}

void StdButton(TSkinBuilder& skin, const QString& name, const QString& command, const QString& hint,
               const TButtonLooks& l, const TRect& inPlace, int atlasIndex) {
    TSkinSection& s = skin.Object(name, QStringLiteral("stdbutton"));
    const bool inButtonsArea = inPlace.IsEmpty();
    ObjectBase(s, skin.Theme(), hint, atlasIndex, inButtonsArea, inButtonsArea ? l.Normal : inPlace,
               l.Hot, true);
    s.Rect(QStringLiteral("downrect"), l.Down)
        .Rect(QStringLiteral("disableskinrsect"), l.Disabled)
        .Set(QStringLiteral("command"), command);
    if (!l.Restore.IsEmpty())
        s.Rect(QStringLiteral("restorerect"), l.Restore)
            .Rect(QStringLiteral("restoreactiverect"), l.RestoreHot)
            .Rect(QStringLiteral("restoredownrect"), l.RestoreDown)
            .Rect(QStringLiteral("restoreinactiverect"), l.RestoreInactive);
}

} // namespace

void AddFrameObjects(TSkinBuilder& skin, const TFrameStyle& style, const TFrameGeometry& g,
                     const TObjectLooks& looks, int atlasIndex) {
    const TSkinTheme& t = skin.Theme();
    if (t.AnimatedSysMenu) {
        const int w = g.SysMenu.width();
        const TRect first(looks.Star.Left, looks.Star.Top, looks.Star.Left + w, looks.Star.Bottom);
        TSkinSection& s = skin.Object(QStringLiteral("sysmenubutton"), QStringLiteral("animate"));
        ObjectBase(s, t, QStringLiteral("系统菜单"), atlasIndex, true, first, looks.Star, false);
        s.Int(QStringLiteral("countframes"), looks.StarFrames)
            .Bool(QStringLiteral("cycle"), true)
            .Bool(QStringLiteral("buttonstyle"), true)
            .Int(QStringLiteral("timerinterval"), 90)
            .Set(QStringLiteral("command"), QStringLiteral("cmsysmenu"));
    } else {
        StdButton(skin, QStringLiteral("sysmenubutton"), QStringLiteral("cmsysmenu"),
                  QStringLiteral("系统菜单"), looks.SysMenu, g.InPlaceSysMenu, atlasIndex);
    }
    StdButton(skin, QStringLiteral("closebutton"), QStringLiteral("cmclose"),
              QStringLiteral("关闭"), looks.Close, g.InPlaceClose, atlasIndex);
    StdButton(skin, QStringLiteral("maxbutton"), QStringLiteral("cmmaximize"),
              QStringLiteral("最大化"), looks.Max, g.InPlaceMax, atlasIndex);
    StdButton(skin, QStringLiteral("minbutton"), QStringLiteral("cmminimize"),
              QStringLiteral("最小化"), looks.Min, g.InPlaceMin, atlasIndex);
    StdButton(skin, QStringLiteral("rollupbutton"), QStringLiteral("cmrollup"),
              QStringLiteral("卷起"), looks.RollUp, TRect(), atlasIndex);
    StdButton(skin, QStringLiteral("traybutton"), QStringLiteral("cmminimizetotray"),
              QStringLiteral("最小化到系统托盘"), looks.Tray, TRect(), atlasIndex);

    if (style.MoonButton) {
        TSkinSection& s = skin.Object(QStringLiteral("moonbutton"), QStringLiteral("button"));
        ObjectBase(s, t, QStringLiteral("无限幻想 · 紫夜星空"), atlasIndex, false, g.Moon,
                   looks.MoonHot, true);
        s.Rect(QStringLiteral("downrect"), looks.MoonDown);
    }
    if (style.LogoArea)
        skin.Object(QStringLiteral("logoarea"), QStringLiteral("userobject"))
            .Rect(QStringLiteral("skinrect"), g.Logo);

    TSkinSection& c = skin.Object(QStringLiteral("caption"), QStringLiteral("caption"));
    ObjectBase(c, t, QString(), atlasIndex, false, g.CaptionObject, TRect(), false);
    const int inset = t.CaptionAlignment == QLatin1String("tacenter") ? 0 : 4;
    c.Rect(QStringLiteral("textrect"),
           TRect(inset, 0, g.CaptionObject.Width() - inset, g.CaptionObject.Height()))
        .Font(t.CaptionFontName, t.CaptionFontHeight, t.CaptionBold, InactiveCaptionColor(t))
        .Color(QStringLiteral("activefontcolor"), t.CaptionTextActive)
        .Set(QStringLiteral("alignment"), t.CaptionAlignment)
        .Bool(QStringLiteral("shadow"), t.CaptionShadow)
        .Color(QStringLiteral("shadowcolor"), InactiveShadowColor(t))
        .Color(QStringLiteral("activeshadowcolor"), t.CaptionShadowColor);
    if (t.CaptionPlate)
        c.Rect(QStringLiteral("framerect"), looks.Plate)
            .Rect(QStringLiteral("activeframerect"), looks.PlateActive)
            .Rect(QStringLiteral("frametextrect"), looks.PlateText)
            .Int(QStringLiteral("frameleftoffset"), looks.PlateLeft)
            .Int(QStringLiteral("framerightoffset"), looks.PlateRight);
}

} // namespace FrameArt
