#include "framework/Font.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QRawFont>
#include <cmath>
#include <cstdlib>

namespace {

// a * b / c rounded half away from zero, as the platform's MulDiv.
int MulDiv(int a, int b, int c) {
    int64_t p = int64_t(a) * b;
    int64_t q = (std::llabs(p) + c / 2) / c;
    return static_cast<int>(p < 0 ? -q : q);
}

bool FamilyInstalled(const QString& family) {
    static const QStringList families = QFontDatabase::families();
    return families.contains(family, Qt::CaseInsensitive);
}

QString SongFamily() {
    static const QString family = FamilyInstalled(QStringLiteral("AR PL UMing CN"))
                                      ? QStringLiteral("AR PL UMing CN")
                                      : QStringLiteral("WenQuanYi Zen Hei");
    return family;
}

// The cell heights of a face at pixel sizes: its ascent and descent, each rounded to whole
// pixels. The first size asked for is measured through a font engine, which drawing in
// that font needs anyway. The others come from the same face scaled (a raw font), which
// costs no engine of its own: each engine runs the system's font matching again, some 2 M
// instructions. Where the scaled face does not give the measured cell, every size is
// measured.
class TCellProbe {
public:
    explicit TCellProbe(const QFont& base) : FBase(base) {}

    int CellAt(int pixels) {
        if (!FFirstMeasured)
            return MeasureFirst(pixels);
        return FScaled ? ScaledCell(pixels) : MeasuredCell(pixels);
    }

private:
    QFont At(int pixels) const {
        QFont font(FBase);
        font.setPixelSize(pixels);
        return font;
    }
    int MeasuredCell(int pixels) const { return QFontMetrics(At(pixels)).height(); }
    int ScaledCell(int pixels) const {
        QRawFont scaled(FRaw);
        // A raw font set to its engine's own size stays that engine; by way of another size
        // it is scaled like every other size, which is what the first measure is to check.
        scaled.setPixelSize(pixels + 1);
        scaled.setPixelSize(pixels);
        return qRound(scaled.ascent()) + qRound(scaled.descent());
    }
    int MeasureFirst(int pixels) {
        FFirstMeasured = true;
        const QFont font = At(pixels);
        const int measured = QFontMetrics(font).height();
        FRaw = QRawFont::fromFont(font);
        FScaled = FRaw.isValid() && ScaledCell(pixels) == measured;
        return measured;
    }

    QFont FBase;
    QRawFont FRaw;
    bool FFirstMeasured = false;
    bool FScaled = false;
};

// The pixel size of the application's font when `base` is that font at another size: Qt
// holds an engine for it from the first edit made, so a cell measured there costs none.
int ApplicationFontSize(const QFont& base) {
    const QFont app = QGuiApplication::font();
    if (app.pixelSize() <= 0 || app.family() != base.family() || app.bold() != base.bold() ||
        app.italic() != base.italic() || app.styleStrategy() != base.styleStrategy())
        return 0;
    return app.pixelSize();
}

// The pixel size whose ascent + descent is `cellHeight` (the largest such size; when none
// matches exactly, the largest below it).
int PixelSizeForCellHeight(const QFont& base, int cellHeight) {
    static QHash<QString, int> sizes;
    QString key = QStringLiteral("%1/%2/%3").arg(base.family()).arg(base.bold()).arg(cellHeight);
    auto known = sizes.find(key);
    if (known != sizes.end())
        return known.value();
    TCellProbe probe(base);
    if (const int loaded = ApplicationFontSize(base))
        probe.CellAt(loaded);
    // Cells grow with the pixel size. From the size a cell of a common face would give, walk
    // to the largest size that fits.
    constexpr double CommonCellPerPixel = 1.15;
    int best = std::max(1, static_cast<int>(std::lround(cellHeight / CommonCellPerPixel)));
    if (probe.CellAt(best) <= cellHeight) {
        while (best < 2 * cellHeight && probe.CellAt(best + 1) <= cellHeight)
            ++best;
    } else {
        while (best > 1 && probe.CellAt(best - 1) > cellHeight)
            --best;
        best = std::max(1, best - 1);
    }
    sizes.insert(key, best);
    return best;
}

// The Chinese system fonts the programs name (宋体, 黑体) have cells exactly one em high, so a
// cell height is their character size. Their stand-ins here have taller line spacing;
// fitting that into the cell would shrink the characters by a quarter.
bool HasNoInternalLeading(const QString& name) {
    static const QStringList families = {QStringLiteral("宋体"),   QStringLiteral("新宋体"),
                                         QStringLiteral("simsun"), QStringLiteral("nsimsun"),
                                         QStringLiteral("黑体"),   QStringLiteral("simhei")};
    return families.contains(name.trimmed(), Qt::CaseInsensitive);
}

} // namespace

TFont::TFont() : FName(QStringLiteral("MS Sans Serif")), FHeight(-11), FColor(clWindowText) {}

void TFont::Changed() {
    ++FRevision;
    if (OnChange)
        OnChange();
}

void TFont::SetName(const QString& name) {
    if (name.isEmpty() || name == FName)
        return;
    FName = name;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == FHeight)
        return;
    FHeight = height;
    Changed();
}

int TFont::Size() const {
    return -MulDiv(FHeight, 72, PixelsPerInch);
}

void TFont::SetSize(int points) {
    SetHeight(-MulDiv(points, PixelsPerInch, 72));
}

void TFont::SetStyle(TFontStyles style) {
    if (style == FStyle)
        return;
    FStyle = style;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == FColor)
        return;
    FColor = color;
    Changed();
}

void TFont::SetCharset(int charset) {
    if (charset == FCharset)
        return;
    FCharset = charset;
    Changed();
}

bool TFont::SameAs(const TFont& other) const {
    return FName == other.FName && FHeight == other.FHeight && FStyle == other.FStyle &&
           FColor == other.FColor && FCharset == other.FCharset;
}

void TFont::Assign(const TFont& source) {
    if (&source == this || SameAs(source))
        return;
    FName = source.FName;
    FHeight = source.FHeight;
    FStyle = source.FStyle;
    FColor = source.FColor;
    FCharset = source.FCharset;
    Changed();
}

QFont TFont::ToQFont() const {
    if (FCachedRevision == FRevision)
        return FCachedFont;
    QString family = SubstituteFamily(FName);
    // The Song stand-in has no bold face; the one drawn from its regular strokes smears at
    // caption sizes. A bold Song is drawn in the Hei stand-in, whose strokes carry the weight.
    if (family == SongFamily() && FStyle.Contains(fsBold))
        family = QStringLiteral("WenQuanYi Zen Hei");
    QFont f(family);
    f.setBold(FStyle.Contains(fsBold));
    f.setItalic(FStyle.Contains(fsItalic));
    f.setUnderline(FStyle.Contains(fsUnderline));
    f.setStrikeOut(FStyle.Contains(fsStrikeOut));
    f.setKerning(false);
    if (FHeight < 0)
        f.setPixelSize(-FHeight);
    else if (FHeight > 0 && HasNoInternalLeading(FName))
        f.setPixelSize(FHeight);
    else if (FHeight > 0)
        f.setPixelSize(PixelSizeForCellHeight(f, FHeight));
    else
        f.setPixelSize(12);
    // The Song face is drawn crisp at dialog sizes, as its bitmap strikes are on the system
    // it stands in for; smoothing its one-pixel Latin strokes leaves them looking grey.
    if (family == SongFamily() && HasNoInternalLeading(FName) && f.pixelSize() <= 16)
        f.setStyleStrategy(QFont::NoAntialias);
    FCachedFont = f;
    FCachedRevision = FRevision;
    return f;
}

QString TFont::SubstituteFamily(const QString& name) {
    static const QHash<QString, QString> latin = {
        {QStringLiteral("arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("ms sans serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("microsoft sans serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("ms shell dlg"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("ms shell dlg 2"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("tahoma"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("verdana"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("system"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("times new roman"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("courier new"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("courier"), QStringLiteral("Liberation Mono")},
    };
    QString key = name.trimmed().toLower();
    if (key == QStringLiteral("宋体") || key == QStringLiteral("新宋体") ||
        key == QStringLiteral("simsun") || key == QStringLiteral("nsimsun"))
        return SongFamily();
    if (key == QStringLiteral("黑体") || key == QStringLiteral("simhei"))
        return QStringLiteral("WenQuanYi Zen Hei");
    auto it = latin.find(key);
    return it == latin.end() ? name : it.value();
}
