#pragma once
// TFont: a font described the platform's way (face name, pixel height, style set, colour,
// character set) and turned into a QFont through one family substitution table, so the
// Windows face names the program stores ("宋体", "Arial", "MS Sans Serif") find installed
// Linux faces.

#include "framework/Colors.h"

#include <QFont>
#include <QString>
#include <cstdint>
#include <functional>
#include <initializer_list>

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };

// A set of TFontStyle values.
class TFontStyles {
public:
    constexpr TFontStyles() = default;
    constexpr TFontStyles(std::initializer_list<TFontStyle> styles) {
        for (TFontStyle s : styles)
            FBits |= Bit(s);
    }
    constexpr bool Contains(TFontStyle s) const { return (FBits & Bit(s)) != 0; }
    constexpr bool IsEmpty() const { return FBits == 0; }
    constexpr TFontStyles& Include(TFontStyle s) {
        FBits |= Bit(s);
        return *this;
    }
    constexpr TFontStyles& Exclude(TFontStyle s) {
        FBits &= static_cast<uint8_t>(~Bit(s));
        return *this;
    }
    constexpr uint8_t Bits() const { return FBits; }
    static constexpr TFontStyles FromBits(uint8_t bits) {
        TFontStyles s;
        s.FBits = bits & 0x0F;
        return s;
    }
    friend constexpr bool operator==(const TFontStyles&, const TFontStyles&) = default;

private:
    static constexpr uint8_t Bit(TFontStyle s) { return static_cast<uint8_t>(1u << s); }
    uint8_t FBits = 0;
};

class TFont {
public:
    // The screen resolution point sizes are converted with.
    static constexpr int PixelsPerInch = 96;
    static constexpr int DefaultCharset = 1;

    // The framework's default font: "MS Sans Serif", height -11 (8 points), black.
    TFont();
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    const QString& Name() const { return FName; }
    void SetName(const QString& name);
    // Negative: the character (em) height in pixels; positive: the cell height (ascent +
    // descent); 0: a default size.
    int Height() const { return FHeight; }
    void SetHeight(int height);
    // Points at PixelsPerInch: Size = -Height * 72 / 96 rounded, so a positive (cell)
    // height gives a negative size, as on the platform.
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    // Stored only; text is Unicode here.
    int Charset() const { return FCharset; }
    void SetCharset(int charset);

    // Copies every attribute (not OnChange) and fires OnChange once when anything changed.
    void Assign(const TFont& source);
    bool SameAs(const TFont& other) const;

    // The QFont to draw with: the substituted family at an exact pixel size, no kerning.
    QFont ToQFont() const;
    // Bumped on every change; lets canvases cache what they derive from the font.
    uint64_t Revision() const { return FRevision; }

    // Fired after every change of an attribute.
    std::function<void()> OnChange;

    // The installed family for a platform face name ("宋体" -> a Song/Ming CJK face,
    // "Arial" -> "Liberation Sans", ...); unknown names pass through unchanged.
    static QString SubstituteFamily(const QString& name);

private:
    void Changed();

    QString FName;
    int FHeight;
    TFontStyles FStyle;
    TColor FColor;
    int FCharset = DefaultCharset;
    uint64_t FRevision = 0;
    mutable uint64_t FCachedRevision = ~uint64_t(0);
    mutable QFont FCachedFont;
};
