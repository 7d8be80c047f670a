#include "framework/StdCtrls.h"

#include "framework/InnerEditor.h"

#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace {

// QTextDocument keeps line breaks as paragraph separators; the program's text uses CR LF.
QString DocumentText(const QTextDocument& document) {
    QString text = document.toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

// Replaces the editor's whole text. The text goes into a fresh document, which then takes the
// old one's place: the editor's own way formats every character again after inserting them,
// which nearly doubles the time a large effect takes to open. The old document goes once
// the event in hand is over.
void ReplaceEditorText(QPlainTextEdit& edit, const QString& lf) {
    QPointer<QTextDocument> old = edit.document();
    auto* document = new QTextDocument(&edit);
    document->setDocumentLayout(new QPlainTextDocumentLayout(document));
    document->setDefaultFont(old->defaultFont());
    document->setDocumentMargin(old->documentMargin());
    document->setUndoRedoEnabled(false);
    document->setPlainText(lf);
    document->setUndoRedoEnabled(true);
    document->setModified(false);
    edit.setDocument(document);
    // The editor's first document is its own and went with the exchange.
    if (old && old->parent() == &edit)
        old->deleteLater();
}

QString ToLf(const QString& text) {
    QString result = text;
    result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

QString ToCrLf(const QString& text) {
    QString result = text;
    result.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return result;
}

} // namespace

// ---------------------------------------------------------------------------------------
// TMemoStrings: the memo's lines, read from and written to its document.

class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo& memo) : FMemo(memo) {}

    int Count() const override {
        const QTextDocument& doc = Document();
        int blocks = doc.blockCount();
        // A last block holding only its separator is the end of the text, not a line.
        return doc.lastBlock().length() <= 1 ? blocks - 1 : blocks;
    }
    QString Strings(int index) const override {
        CheckIndex(index, Count());
        return Document().findBlockByNumber(index).text();
    }
    void SetStrings(int index, const QString& s) override {
        CheckIndex(index, Count());
        QTextBlock block = Document().findBlockByNumber(index);
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.insertText(SingleLine(s));
    }
    void Insert(int index, const QString& s) override {
        const int count = Count();
        if (index < 0 || index > count)
            ListIndexError(index);
        QTextDocument& doc = Document();
        QTextCursor cursor(&doc);
        if (index < count) {
            cursor.setPosition(doc.findBlockByNumber(index).position());
            cursor.insertText(SingleLine(s) + QLatin1Char('\n'));
        } else if (count < doc.blockCount()) {
            // The text ends with a line break: the new line goes before the end.
            cursor.setPosition(doc.lastBlock().position());
            cursor.insertText(SingleLine(s) + QLatin1Char('\n'));
        } else {
            cursor.movePosition(QTextCursor::End);
            cursor.insertText(QLatin1Char('\n') + SingleLine(s));
        }
    }
    void Delete(int index) override {
        CheckIndex(index, Count());
        QTextBlock block = Document().findBlockByNumber(index);
        QTextCursor cursor(&Document());
        QTextBlock next = block.next();
        if (next.isValid()) {
            cursor.setPosition(block.position());
            cursor.setPosition(next.position(), QTextCursor::KeepAnchor);
        } else if (block.previous().isValid()) {
            // The last line without a line break: take the break before it too.
            cursor.setPosition(block.position() - 1);
            cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
        } else {
            cursor.setPosition(block.position());
            cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        }
        cursor.removeSelectedText();
    }
    void Clear() override { FMemo.FTextEdit->clear(); }
    QString Text() const override {
        QString text = DocumentText(Document());
        if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
            text += QLatin1Char('\n');
        return ToCrLf(text);
    }
    void SetText(const QString& text) override { ReplaceEditorText(*FMemo.FTextEdit, ToLf(text)); }

protected:
    void SetUpdateState(bool updating) override { FMemo.FTextEdit->setUpdatesEnabled(!updating); }

private:
    QTextDocument& Document() const { return *FMemo.FTextEdit->document(); }
    // A line's text cannot hold a line break.
    static QString SingleLine(const QString& s) {
        QString line = s;
        line.replace(QLatin1Char('\r'), QLatin1Char(' '));
        line.replace(QLatin1Char('\n'), QLatin1Char(' '));
        return line;
    }

    TCustomMemo& FMemo;
};

// ---------------------------------------------------------------------------------------
// TCustomMemo

TCustomMemo::TCustomMemo(QWidget* parent)
    : TEditorHost(parent), FTextEdit(new TInnerEditor<QPlainTextEdit>(this)),
      FLines(std::make_unique<TMemoStrings>(*this)) {
    FTextEdit->setFrameShape(QFrame::NoFrame);
    FTextEdit->setTabChangesFocus(!FWantTabs);
    FTextEdit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    FTextEdit->document()->setDocumentMargin(1);
    connect(FTextEdit, &QPlainTextEdit::textChanged, this,
            [this] { Guarded([this] { Change(); }); });
    for (QScrollBar* bar : {FTextEdit->verticalScrollBar(), FTextEdit->horizontalScrollBar()}) {
        connect(bar, &QScrollBar::valueChanged, this, [this] { Guarded([this] { Scrolled(); }); });
        connect(bar, &QScrollBar::rangeChanged, this, [this] { Guarded([this] { Scrolled(); }); });
    }
    UpdateScrollBarPolicy();
    SetEditorWidget(FTextEdit);
    SetBounds(Left(), Top(), 185, 89);
}

TCustomMemo::~TCustomMemo() {
    FTextEdit->disconnect(this);
    FTextEdit->verticalScrollBar()->disconnect(this);
    FTextEdit->horizontalScrollBar()->disconnect(this);
}

void TCustomMemo::SetLines(const TStrings& lines) {
    FLines->Assign(lines);
}

QString TCustomMemo::Text() const {
    return ToCrLf(DocumentText(*FTextEdit->document()));
}

void TCustomMemo::SetText(const QString& text) {
    QString lf = ToLf(text);
    if (lf != DocumentText(*FTextEdit->document()))
        ReplaceEditorText(*FTextEdit, lf);
}

void TCustomMemo::SetScrollBars(TScrollStyle style) {
    FScrollBars = style;
    UpdateScrollBarPolicy();
}

void TCustomMemo::SetNativeScrollBarsHidden(bool hidden) {
    FNativeBarsHidden = hidden;
    UpdateScrollBarPolicy();
}

void TCustomMemo::UpdateScrollBarPolicy() {
    bool vertical = !FNativeBarsHidden && (FScrollBars == ssVertical || FScrollBars == ssBoth);
    bool horizontal = !FNativeBarsHidden && (FScrollBars == ssHorizontal || FScrollBars == ssBoth);
    FTextEdit->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn
                                                   : Qt::ScrollBarAlwaysOff);
    FTextEdit->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn
                                                       : Qt::ScrollBarAlwaysOff);
}

void TCustomMemo::SetWordWrap(bool value) {
    FWordWrap = value;
    FTextEdit->setLineWrapMode(value ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

bool TCustomMemo::ReadOnly() const {
    return FTextEdit->isReadOnly();
}

void TCustomMemo::SetReadOnly(bool value) {
    FTextEdit->setReadOnly(value);
    // A read-only editor still shows its caret and takes the keyboard for selecting.
    FTextEdit->setTextInteractionFlags(value ? Qt::TextSelectableByMouse |
                                                   Qt::TextSelectableByKeyboard
                                             : Qt::TextEditorInteraction);
}

void TCustomMemo::SetWantTabs(bool value) {
    FWantTabs = value;
    FTextEdit->setTabChangesFocus(!value);
}

bool TCustomMemo::WantsKey(int key, TShiftState shift) const {
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return FWantReturns;
    if (key == Qt::Key_Tab)
        return FWantTabs;
    return TEditorHost::WantsKey(key, shift);
}

bool TCustomMemo::EditorTakesKey(const QKeyEvent& event) const {
    bool isReturn = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    // Without WantReturns only Ctrl+Return breaks a line.
    return !isReturn || FWantReturns || (event.modifiers() & Qt::ControlModifier);
}

bool TCustomMemo::EditorWheel(QWheelEvent* event) {
    return DoMouseWheel(event->angleDelta().y(), ShiftStateOf(event->modifiers()));
}

bool TCustomMemo::DoMouseWheel(int, TShiftState) {
    return false;
}

int TCustomMemo::SelStart() const {
    return FTextEdit->textCursor().selectionStart();
}

void TCustomMemo::SetSelStart(int start) {
    QTextCursor cursor = FTextEdit->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.setPosition(std::clamp(start, 0, cursor.position()));
    FTextEdit->setTextCursor(cursor);
}

int TCustomMemo::SelLength() const {
    QTextCursor cursor = FTextEdit->textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void TCustomMemo::SetSelLength(int length) {
    QTextCursor cursor = FTextEdit->textCursor();
    int start = cursor.selectionStart();
    cursor.movePosition(QTextCursor::End);
    int end = std::clamp(start + std::max(0, length), start, cursor.position());
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    FTextEdit->setTextCursor(cursor);
}

QString TCustomMemo::SelText() const {
    QString text = FTextEdit->textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
    return text;
}

void TCustomMemo::SetSelText(const QString& text) {
    FTextEdit->textCursor().insertText(ToLf(text));
}

void TCustomMemo::SelectAll() {
    FTextEdit->selectAll();
}

void TCustomMemo::SelectInLine(int line, int column, int length) {
    QTextDocument* document = FTextEdit->document();
    const QTextBlock block =
        document->findBlockByNumber(std::clamp(line, 0, document->blockCount() - 1));
    const int lineLength = block.length() - 1; // without the block's separator
    const int start = block.position() + std::clamp(column, 0, lineLength);
    const int end = std::min(start + std::max(0, length), block.position() + lineLength);
    QTextCursor cursor(document);
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    FTextEdit->setTextCursor(cursor);
    FTextEdit->centerCursor();
}

void TCustomMemo::ClearSelection() {
    QTextCursor cursor = FTextEdit->textCursor();
    if (cursor.hasSelection() && !FTextEdit->isReadOnly())
        cursor.removeSelectedText();
}

void TCustomMemo::CopyToClipboard() {
    FTextEdit->copy();
}

void TCustomMemo::CutToClipboard() {
    FTextEdit->cut();
}

void TCustomMemo::PasteFromClipboard() {
    FTextEdit->paste();
}

void TCustomMemo::Clear() {
    FTextEdit->clear();
}

bool TCustomMemo::CanUndo() const {
    return FTextEdit->document()->isUndoAvailable();
}

void TCustomMemo::Undo() {
    FTextEdit->undo();
}

void TCustomMemo::ClearUndo() {
    FTextEdit->document()->clearUndoRedoStacks();
}

bool TCustomMemo::Modified() const {
    return FTextEdit->document()->isModified();
}

void TCustomMemo::SetModified(bool value) {
    FTextEdit->document()->setModified(value);
}

TScrollInfo TCustomMemo::ScrollInfo(TScrollBarKind kind) const {
    const QScrollBar* bar =
        kind == sbVertical ? FTextEdit->verticalScrollBar() : FTextEdit->horizontalScrollBar();
    // Qt's maximum is the last position; the platform's is the last unit of the range.
    TScrollInfo info;
    info.Min = bar->minimum();
    info.Page = bar->pageStep();
    info.Pos = bar->value();
    info.Max = bar->maximum() + std::max(0, info.Page - 1);
    return info;
}

int TCustomMemo::TopLine() const {
    return FTextEdit->verticalScrollBar()->value();
}

void TCustomMemo::ScrollLines(int count) {
    QScrollBar* bar = FTextEdit->verticalScrollBar();
    bar->setValue(bar->value() + count);
}

void TCustomMemo::ScrollTo(int line) {
    FTextEdit->verticalScrollBar()->setValue(line);
}

void TCustomMemo::ScrollHorzBy(int pixels) {
    QScrollBar* bar = FTextEdit->horizontalScrollBar();
    bar->setValue(bar->value() + pixels);
}

void TCustomMemo::ScrollHorzTo(int position) {
    FTextEdit->horizontalScrollBar()->setValue(position);
}

int TCustomMemo::VisibleLineCount() const {
    int spacing = FTextEdit->fontMetrics().lineSpacing();
    return spacing > 0 ? FTextEdit->viewport()->height() / spacing : 0;
}

void TCustomMemo::Change() {
    FireEvent(OnChange, this);
}

void TCustomMemo::Scrolled() {
    FireEvent(OnScroll, this);
}
