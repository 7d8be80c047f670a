#include "app/CodeColouring.h"

#include "skinctrls/bsSkinMemo.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSyntaxHighlighter>
#include <QTextDocument>
#include <algorithm>
#include <cmath>
#include <vector>

namespace CodeColours {
namespace {

using CodeTokens::TKind;

// Our hues, drawn for a white background, in the order of the kinds.
constexpr std::array<QRgb, CodeTokens::KindCount> Hues{
    0x1b4fae, // tag: blue
    0xa14b00, // attribute: brown
    0x1a7f5a, // value: sea green
    0x6b6b6b, // comment: grey
    0xa33ea1, // entity: orchid
    0x9c1c6e, // keyword: raspberry
    0x3c7d12, // string: leaf green
    0xb8321f, // number: brick red
    0x6a3db8, // regular expression: violet
    0x7a4a00, // selector: umber
    0x1f6f8b, // property: steel blue
    0x5b6b00, // CSS value: olive
};

constexpr double Wanted = 4.5;

double Channel(double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& c) {
    return 0.2126 * Channel(c.redF()) + 0.7152 * Channel(c.greenF()) + 0.0722 * Channel(c.blueF());
}

double LeastContrast(const QColor& colour, const QList<QColor>& backgrounds) {
    double least = 21;
    for (const QColor& background : backgrounds)
        least = std::min(least, Contrast(colour, background));
    return least;
}

QColor Mix(const QColor& a, const QColor& b, double share) {
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * share),
                            float(a.greenF() + (b.greenF() - a.greenF()) * share),
                            float(a.blueF() + (b.blueF() - a.blueF()) * share));
}

// The hue made readable: on dark backgrounds its lightness is mirrored first, then it goes
// step by step towards black (light backgrounds) or white (dark ones).
QColor Readable(QRgb hue, const QList<QColor>& backgrounds, bool dark) {
    QColor start(hue);
    if (dark) {
        float h, s, l;
        start.getHslF(&h, &s, &l);
        start = QColor::fromHslF(h, s, 1.0f - l);
    }
    const QColor end = dark ? QColor(Qt::white) : QColor(Qt::black);
    QColor best = start;
    double bestContrast = LeastContrast(start, backgrounds);
    for (int step = 0; step <= 20 && bestContrast < Wanted; ++step) {
        const QColor candidate = Mix(start, end, step / 20.0);
        const double contrast = LeastContrast(candidate, backgrounds);
        if (contrast > bestContrast) {
            best = candidate;
            bestContrast = contrast;
        }
    }
    return best;
}

} // namespace

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TColours ForBackgrounds(const QList<QColor>& backgrounds) {
    double luminance = 0;
    for (const QColor& background : backgrounds)
        luminance += Luminance(background);
    const bool dark = !backgrounds.isEmpty() && luminance / backgrounds.size() < 0.18;
    TColours colours;
    for (int kind = 0; kind < CodeTokens::KindCount; ++kind)
        colours[kind] = Readable(Hues[kind], backgrounds, dark);
    return colours;
}

} // namespace CodeColours

namespace {

// The highlighter of one document, with the colouring's formats.
class TCodeHighlighter : public QSyntaxHighlighter {
public:
    TCodeHighlighter(QTextDocument* document, const TCodeColouring& colouring)
        : QSyntaxHighlighter(document), FColouring(colouring) {}

protected:
    void highlightBlock(const QString& text) override {
        FTokens.clear();
        setCurrentBlockState(CodeTokens::Scan(text, previousBlockState(), FTokens));
        for (const CodeTokens::TToken& token : FTokens)
            setFormat(token.Start, token.Length, FColouring.Format(token.Kind));
    }

private:
    const TCodeColouring& FColouring;
    std::vector<CodeTokens::TToken> FTokens;
};

} // namespace

TCodeColouring::TCodeColouring(TbsSkinMemoBase& memo) : QObject(&memo), FMemo(memo) {
    FollowBackgrounds();
    memo.UnsettledEditor()->installEventFilter(this);
    memo.OnNewDocument = [this](QTextDocument* document) { Attach(document); };
    Attach(memo.UnsettledEditor()->document());
}

void TCodeColouring::Attach(QTextDocument* document) {
    FCurrent = new TCodeHighlighter(document, *this);
}

bool TCodeColouring::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::PaletteChange)
        FollowBackgrounds();
    return false;
}

// New colours when the memo's backgrounds changed; the text is coloured again without it
// counting as a change of the text.
void TCodeColouring::FollowBackgrounds() {
    QList<QColor> backgrounds;
    for (TColor colour : FMemo.Backgrounds())
        backgrounds << ToQColor(colour);
    if (backgrounds == FBackgrounds)
        return;
    FBackgrounds = backgrounds;
    FColours = CodeColours::ForBackgrounds(backgrounds);
    for (int kind = 0; kind < CodeTokens::KindCount; ++kind)
        FFormats[kind].setForeground(FColours[kind]);
    QTextDocument* doc = FMemo.UnsettledEditor()->document();
    if (!FCurrent || FCurrent->document() != doc || doc->isEmpty())
        return;
    const bool modified = doc->isModified();
    const QSignalBlocker quiet(doc);
    FCurrent->rehighlight();
    doc->setModified(modified);
}
