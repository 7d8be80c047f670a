#pragma once
// The value forms of skin.ini: how each kind of value is read from its text and written
// back, and the keyword sets of the enumerated values.

#include "framework/Colors.h"
#include "framework/Font.h"
#include "framework/Types.h"

#include <QString>

// Text alignment of captions and panels.
enum class TbsAlignment { taLeftJustify, taRightJustify, taCenter };

// Action of a caption button or animation.
enum class TbsStdCommand {
    cmClose,
    cmMaximize,
    cmMinimize,
    cmSysMenu,
    cmDefault,
    cmRollUp,
    cmMinimizeToTray
};

// Effect applied to the frame pictures of an inactive form.
enum class TbsInactiveEffect {
    ieBrightness,
    ieDarkness,
    ieGrayScale,
    ieNoise,
    ieSplitBlur,
    ieInvert
};

// How an element changes between its normal and active looks.
enum class TbsMorphKind {
    mkDefault,
    mkGradient,
    mkLeftGradient,
    mkRightGradient,
    mkLeftSlide,
    mkRightSlide,
    mkPush
};

namespace SkinValues {

// int, colour: decimal, "0x…"/"$…" hexadecimal; anything else gives `defaultValue`.
int ParseInt(const QString& text, int defaultValue);
QString FormatInt(int value);

// bool: true exactly when the text is the int 1.
bool ParseBool(const QString& text);
QString FormatBool(bool value);

// rect "left,top,right,bottom" and point "x,y": every character of a field that is not a
// digit is dropped; a field without digits, or beyond 32 bits, raises EConvertError.
// Fields past the fourth (second) are ignored.
TRect ParseRect(const QString& text);
TPoint ParsePoint(const QString& text);
QString FormatRect(const TRect& rect);
QString FormatPoint(const TPoint& point);

// font style: the words found anywhere in the text, case-sensitively.
TFontStyles ParseFontStyle(const QString& text);
QString FormatFontStyle(const TFontStyles& style);

// alignment: "taleftjustify", "tacenter"; any other text is right-justified.
TbsAlignment ParseAlignment(const QString& text);
QString FormatAlignment(TbsAlignment alignment);

// command: "cmclose" … "cmrollup"; any other text is cmMinimizeToTray.
TbsStdCommand ParseCommand(const QString& text);
QString FormatCommand(TbsStdCommand command);

// effect: "iebrightness" … "ieinvert"; any other text is ieGrayScale.
TbsInactiveEffect ParseEffect(const QString& text);
QString FormatEffect(TbsInactiveEffect effect);

// morph kind: "mkdefault" … "mkpush"; any other text is mkDefault.
TbsMorphKind ParseMorphKind(const QString& text);
QString FormatMorphKind(TbsMorphKind kind);

// A list entry "name:kind" split at its first ":"; without ":" the kind is empty.
struct TbsListEntry {
    QString Name;
    QString Kind;
};
TbsListEntry SplitListEntry(const QString& entry);

} // namespace SkinValues
