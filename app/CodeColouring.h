#pragma once
// The code window's colours: each token of an effect's code (see CodeTokens) gets a colour
// of its kind, made readable on the window's backgrounds. Colouring only paints: the text,
// what is copied and what is saved stay as they are.

#include "app/CodeTokens.h"

#include <QColor>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTextCharFormat>
#include <array>

class QSyntaxHighlighter;
class QTextDocument;
class TbsSkinMemoBase;

namespace CodeColours {

using TColours = std::array<QColor, CodeTokens::KindCount>;

// The colour of each kind of token on text standing on each of `backgrounds`: our own hues,
// darkened or lightened until each keeps a contrast of at least 4.5 : 1 on every one of
// them (the best there is when no colour can, as between a black and a white background).
TColours ForBackgrounds(const QList<QColor>& backgrounds);

// The contrast of two colours, (lighter + 0.05) / (darker + 0.05) of their luminance.
double Contrast(const QColor& a, const QColor& b);

} // namespace CodeColours

// Colours a memo's text by its tokens. Each document of the memo gets a highlighter of its
// own, which goes with the document: moving one highlighter from a large old document to a
// new one would first clear every block of the old.
class TCodeColouring : public QObject {
public:
    // Colours `memo`'s text from now on, each new text too, and follows its backgrounds
    // (a skin changed, the memo got the focus).
    explicit TCodeColouring(TbsSkinMemoBase& memo);

    const CodeColours::TColours& Colours() const { return FColours; }
    const QTextCharFormat& Format(CodeTokens::TKind kind) const { return FFormats[int(kind)]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Attach(QTextDocument* document);
    void FollowBackgrounds();

    TbsSkinMemoBase& FMemo;
    CodeColours::TColours FColours;
    std::array<QTextCharFormat, CodeTokens::KindCount> FFormats;
    QList<QColor> FBackgrounds;
    QPointer<QSyntaxHighlighter> FCurrent; // the newest document's
};
