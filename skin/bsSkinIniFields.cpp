#include "skin/bsSkinIniFields.h"

#include "framework/Exceptions.h"
#include "framework/IniFiles.h"

using namespace SkinValues;

TbsIniFields::TbsIniFields(TCustomIniFile& ini, const QString& section, TMode mode)
    : FIni(ini), FSection(section), FMode(mode) {}

template <class T, class Parse, class Format>
void TbsIniFields::Exchange(const char* key, T& value, const QString& absentText, Parse parse,
                            Format format) {
    const QString ident = QLatin1String(key);
    if (!Reading()) {
        FIni.WriteString(FSection, ident, format(value));
        return;
    }
    try {
        value = parse(FIni.ReadString(FSection, ident, absentText));
    } catch (const EConvertError& e) {
        // Name the place, so that a skin author can find the value.
        throw EConvertError(QStringLiteral("%1 ([%2] %3)").arg(e.Message(), FSection, ident));
    }
}

void TbsIniFields::String(const char* key, QString& value, const QString& defaultValue) {
    Exchange(
        key, value, defaultValue, [](const QString& text) { return text; },
        [](const QString& v) { return v; });
}

void TbsIniFields::Int(const char* key, int& value, int defaultValue) {
    Exchange(
        key, value, QString(), [&](const QString& text) { return ParseInt(text, defaultValue); },
        FormatInt);
}

void TbsIniFields::Color(const char* key, TColor& value, TColor defaultValue) {
    Int(key, value, defaultValue);
}

void TbsIniFields::Bool(const char* key, bool& value) {
    Exchange(key, value, QString(), ParseBool, FormatBool);
}

void TbsIniFields::Rect(const char* key, TRect& value) {
    Exchange(key, value, QStringLiteral("0,0,0,0"), ParseRect, FormatRect);
}

void TbsIniFields::Point(const char* key, TPoint& value) {
    Exchange(key, value, QStringLiteral("0,0"), ParsePoint, FormatPoint);
}

void TbsIniFields::FontStyle(const char* key, TFontStyles& value) {
    Exchange(key, value, QString(), ParseFontStyle, FormatFontStyle);
}

void TbsIniFields::Alignment(const char* key, TbsAlignment& value) {
    Exchange(key, value, QStringLiteral("tacenter"), ParseAlignment, FormatAlignment);
}

void TbsIniFields::Command(const char* key, TbsStdCommand& value) {
    Exchange(key, value, QStringLiteral("cmdefault"), ParseCommand, FormatCommand);
}

void TbsIniFields::MorphKind(const char* key, TbsMorphKind& value) {
    Exchange(key, value, QStringLiteral("mkdefault"), ParseMorphKind, FormatMorphKind);
}

void TbsIniFields::Effect(const char* key, TbsInactiveEffect& value) {
    Exchange(key, value, QStringLiteral("iebrightness"), ParseEffect, FormatEffect);
}

void TbsIniFields::FontGroup(const char* prefix, QString& name, int& height, TFontStyles& style,
                             TColor& color) {
    const QByteArray p(prefix);
    String((p + "name").constData(), name, QStringLiteral("Arial"));
    Int((p + "height").constData(), height, 14);
    FontStyle((p + "style").constData(), style);
    Color((p + "color").constData(), color);
}

void TbsIniFields::PointGroup(const char* prefix, TPoint& leftTop, TPoint& rightTop,
                              TPoint& leftBottom, TPoint& rightBottom) {
    const QByteArray p(prefix);
    Point((p + "lefttoppoint").constData(), leftTop);
    Point((p + "righttoppoint").constData(), rightTop);
    Point((p + "leftbottompoint").constData(), leftBottom);
    Point((p + "rightbottompoint").constData(), rightBottom);
}

void TbsIniFields::Font(TbsFontFields& font) {
    FontGroup("font", font.FontName, font.FontHeight, font.FontStyle, font.FontColor);
}

void TbsIniFields::Morph(TbsMorphFields& morph) {
    Bool("morphing", morph.Morphing);
    MorphKind("morphkind", morph.MorphKind);
}

void TbsIniFields::Corners(TbsCornerPoints& corners) {
    PointGroup("", corners.LeftTopPoint, corners.RightTopPoint, corners.LeftBottomPoint,
               corners.RightBottomPoint);
}

void TbsIniFields::Stretches(TbsStretchSides& sides) {
    Bool("leftstretch", sides.LeftStretch);
    Bool("rightstretch", sides.RightStretch);
    Bool("topstretch", sides.TopStretch);
    Bool("bottomstretch", sides.BottomStretch);
}

void TbsIniFields::UpDownButtons(TbsUpDownButtonRects& buttons) {
    Rect("upbuttonrect", buttons.UpButtonRect);
    Rect("activeupbuttonrect", buttons.ActiveUpButtonRect);
    Rect("downupbuttonrect", buttons.DownUpButtonRect);
    Rect("downbuttonrect", buttons.DownButtonRect);
    Rect("activedownbuttonrect", buttons.ActiveDownButtonRect);
    Rect("downdownbuttonrect", buttons.DownDownButtonRect);
}

void TbsIniFields::ButtonStates(TbsButtonStateRects& button) {
    Rect("buttonrect", button.ButtonRect);
    Rect("activebuttonrect", button.ActiveButtonRect);
    Rect("downbuttonrect", button.DownButtonRect);
    Rect("unenabledbuttonrect", button.UnEnabledButtonRect);
}
