#pragma once
// Reads or writes the keys of one skin.ini section in a fixed order. A record lists its
// keys once, with their value forms and defaults; the same list serves loading and
// saving, so what is saved reads back as it was.

#include "skin/bsSkinFieldGroups.h"
#include "skin/bsSkinValues.h"

#include <QString>

class TCustomIniFile;

class TbsIniFields {
public:
    enum class TMode { Read, Write };

    TbsIniFields(TCustomIniFile& ini, const QString& section, TMode mode);

    bool Reading() const { return FMode == TMode::Read; }
    const QString& Section() const { return FSection; }

    void String(const char* key, QString& value, const QString& defaultValue = QString());
    void Int(const char* key, int& value, int defaultValue);
    void Color(const char* key, TColor& value, TColor defaultValue = 0);
    void Bool(const char* key, bool& value);
    void Rect(const char* key, TRect& value);
    void Point(const char* key, TPoint& value);
    void FontStyle(const char* key, TFontStyles& value);
    void Alignment(const char* key, TbsAlignment& value);
    void Command(const char* key, TbsStdCommand& value);
    void MorphKind(const char* key, TbsMorphKind& value);
    void Effect(const char* key, TbsInactiveEffect& value);

    // The shared field groups, each in its keys' order.
    void Font(TbsFontFields& font);
    void Morph(TbsMorphFields& morph);
    void Corners(TbsCornerPoints& corners);
    void Stretches(TbsStretchSides& sides);
    void UpDownButtons(TbsUpDownButtonRects& buttons);
    void ButtonStates(TbsButtonStateRects& button);
    // A font or the corner points under other keys: `prefix` + "name", "height", "style",
    // "color"; `prefix` + "lefttoppoint" and the rest.
    void FontGroup(const char* prefix, QString& name, int& height, TFontStyles& style,
                   TColor& color);
    void PointGroup(const char* prefix, TPoint& leftTop, TPoint& rightTop, TPoint& leftBottom,
                    TPoint& rightBottom);

private:
    // Reads the key's text (`absentText` when the key is missing) through `parse`, or
    // writes the value through `format`.
    template <class T, class Parse, class Format>
    void Exchange(const char* key, T& value, const QString& absentText, Parse parse, Format format);

    TCustomIniFile& FIni;
    QString FSection;
    TMode FMode;
};
