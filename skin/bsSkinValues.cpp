#include "skin/bsSkinValues.h"

#include "framework/Exceptions.h"
#include "framework/SysUtils.h"

#include <QStringList>
#include <array>
#include <cstdint>

namespace SkinValues {

namespace {

// Keeps only the digits 0-9 of a field and converts them; coordinates are never negative.
int ParseDigitField(QStringView field) {
    auto digitsOf = [&] {
        QString digits;
        for (QChar c : field)
            if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
                digits += c;
        return digits;
    };
    int64_t value = 0;
    bool seen = false;
    for (QChar c : field) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            continue;
        seen = true;
        value = value * 10 + (c.unicode() - '0');
        if (value > INT32_MAX)
            throw EConvertError(InvalidIntegerText(digitsOf()));
    }
    if (!seen)
        throw EConvertError(InvalidIntegerText(QString()));
    return static_cast<int>(value);
}

// The i-th comma-separated field, empty when the text has fewer fields.
QStringView Field(const QList<QStringView>& fields, int index) {
    return index < fields.size() ? fields[index] : QStringView();
}

template <class E, size_t N>
E LookupKeyword(const std::array<const char*, N>& words, const QString& text, E otherwise) {
    for (size_t i = 0; i < N; ++i) {
        if (text == QLatin1String(words[i]))
            return static_cast<E>(i);
    }
    return otherwise;
}

template <class E, size_t N> QString KeywordOf(const std::array<const char*, N>& words, E value) {
    auto index = static_cast<size_t>(value);
    return index < N ? QLatin1String(words[index]) : QString();
}

// Keyword lists in the order of their enumerations.
constexpr std::array<const char*, 7> CommandWords = {"cmclose",         "cmmaximize", "cmminimize",
                                                     "cmsysmenu",       "cmdefault",  "cmrollup",
                                                     "cmminimizetotray"};
constexpr std::array<const char*, 6> EffectWords = {"iebrightness", "iedarkness",  "iegrayscale",
                                                    "ienoise",      "iesplitblur", "ieinvert"};
constexpr std::array<const char*, 7> MorphKindWords = {
    "mkdefault",   "mkgradient",   "mkleftgradient", "mkrightgradient",
    "mkleftslide", "mkrightslide", "mkpush"};
constexpr std::array<const char*, 3> AlignmentWords = {"taleftjustify", "tarightjustify",
                                                       "tacenter"};
constexpr std::array<const char*, 4> FontStyleWords = {"fsbold", "fsitalic", "fsunderline",
                                                       "fsstrikeout"};

} // namespace

int ParseInt(const QString& text, int defaultValue) {
    return StrToIntDef(text, defaultValue);
}

QString FormatInt(int value) {
    return QString::number(value);
}

bool ParseBool(const QString& text) {
    return ParseInt(text, 0) == 1;
}

QString FormatBool(bool value) {
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

TRect ParseRect(const QString& text) {
    const QList<QStringView> fields = QStringView(text).split(QLatin1Char(','));
    TRect r;
    r.Left = ParseDigitField(Field(fields, 0));
    r.Top = ParseDigitField(Field(fields, 1));
    r.Right = ParseDigitField(Field(fields, 2));
    r.Bottom = ParseDigitField(Field(fields, 3));
    return r;
}

TPoint ParsePoint(const QString& text) {
    const QList<QStringView> fields = QStringView(text).split(QLatin1Char(','));
    TPoint p;
    p.X = ParseDigitField(Field(fields, 0));
    p.Y = ParseDigitField(Field(fields, 1));
    return p;
}

QString FormatRect(const TRect& rect) {
    return QStringLiteral("%1,%2,%3,%4")
        .arg(rect.Left)
        .arg(rect.Top)
        .arg(rect.Right)
        .arg(rect.Bottom);
}

QString FormatPoint(const TPoint& point) {
    return QStringLiteral("%1,%2").arg(point.X).arg(point.Y);
}

TFontStyles ParseFontStyle(const QString& text) {
    TFontStyles style;
    for (size_t i = 0; i < FontStyleWords.size(); ++i) {
        if (text.contains(QLatin1String(FontStyleWords[i])))
            style.Include(static_cast<TFontStyle>(i));
    }
    return style;
}

QString FormatFontStyle(const TFontStyles& style) {
    QStringList words;
    for (size_t i = 0; i < FontStyleWords.size(); ++i) {
        if (style.Contains(static_cast<TFontStyle>(i)))
            words << QLatin1String(FontStyleWords[i]);
    }
    return words.join(QLatin1Char(','));
}

TbsAlignment ParseAlignment(const QString& text) {
    if (text == QLatin1String("taleftjustify"))
        return TbsAlignment::taLeftJustify;
    if (text == QLatin1String("tacenter"))
        return TbsAlignment::taCenter;
    return TbsAlignment::taRightJustify;
}

QString FormatAlignment(TbsAlignment alignment) {
    return KeywordOf(AlignmentWords, alignment);
}

TbsStdCommand ParseCommand(const QString& text) {
    return LookupKeyword(CommandWords, text, TbsStdCommand::cmMinimizeToTray);
}

QString FormatCommand(TbsStdCommand command) {
    return KeywordOf(CommandWords, command);
}

TbsInactiveEffect ParseEffect(const QString& text) {
    return LookupKeyword(EffectWords, text, TbsInactiveEffect::ieGrayScale);
}

QString FormatEffect(TbsInactiveEffect effect) {
    return KeywordOf(EffectWords, effect);
}

TbsMorphKind ParseMorphKind(const QString& text) {
    return LookupKeyword(MorphKindWords, text, TbsMorphKind::mkDefault);
}

QString FormatMorphKind(TbsMorphKind kind) {
    return KeywordOf(MorphKindWords, kind);
}

TbsListEntry SplitListEntry(const QString& entry) {
    const qsizetype colon = entry.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return {entry, QString()};
    return {entry.left(colon), entry.mid(colon + 1)};
}

} // namespace SkinValues
