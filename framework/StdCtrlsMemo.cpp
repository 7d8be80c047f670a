#include "framework/StdCtrls.h"

#include "framework/InnerEditor.h"

#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
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
// the event in hand is over. A document that is still to be filled keeps its undo off.
// `setUp` gets the new document before its text, so a highlighter colours the text as it
// goes in, before the first paint.
QTextDocument* ReplaceEditorText(QPlainTextEdit& edit, const QString& lf, bool complete,
                                 const std::function<void(QTextDocument*)>& setUp) {
    QPointer<QTextDocument> old = edit.document();
    auto* document = new QTextDocument(&edit);
    document->setDocumentLayout(new QPlainTextDocumentLayout(document));
    document->setDefaultFont(old->defaultFont());
    document->setDocumentMargin(old->documentMargin());
    document->setUndoRedoEnabled(false);
    if (setUp)
        setUp(document);
    document->setPlainText(lf);
    document->setUndoRedoEnabled(complete);
    document->setModified(false);
    edit.setDocument(document);
    // The editor's first document is its own and went with the exchange.
    if (old && old->parent() == &edit)
        old->deleteLater();
    return document;
}

// How much of a long text is shown at once, and how much each later turn adds. The first
// part holds more lines than any editor shows; a step takes a few milliseconds.
constexpr qsizetype FillThreshold = 64 * 1024;
constexpr int ShownLines = 300;
constexpr qsizetype StepSize = 64 * 1024;

// The end of the line in which `from` + `size` falls (just after its line break), or the
// text's end.
qsizetype LineEndAfter(const QString& text, qsizetype from, qsizetype size) {
    if (from + size >= text.size())
        return text.size();
    const qsizetype brk = text.indexOf(QLatin1Char('\n'), from + size);
    return brk < 0 ? text.size() : brk + 1;
}

// The end of the first `lines` lines, or the text's end.
qsizetype EndOfLines(const QString& text, int lines) {
    qsizetype end = 0;
    for (int i = 0; i < lines && end < text.size(); ++i)
        end = LineEndAfter(text, end, 0);
    return end;
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
// TMemoFill: the rest of a long text, added to its document a step per turn of the event
// loop. It watches the editor's input, which adds the rest before the editor acts on it.

class TMemoFill : public QObject {
public:
    explicit TMemoFill(QPlainTextEdit& edit) {
        FTimer.setSingleShot(true);
        FTimer.setInterval(0);
        QObject::connect(&FTimer, &QTimer::timeout, this, [this] { Step(); });
        edit.installEventFilter(this);
        edit.viewport()->installEventFilter(this);
    }

    bool Active() const { return FDocument && FDone < FText.size(); }
    bool Appending() const { return FAppending; }
    // The whole text the document is being filled with.
    const QString& Text() const { return FText; }

    void Start(QTextDocument* document, const QString& lf, qsizetype shown) {
        FDocument = document;
        FText = lf;
        FDone = shown;
        FTimer.start();
    }
    void Finish() {
        if (Active())
            AppendUpTo(FText.size());
    }
    void Drop() {
        FTimer.stop();
        FDocument = nullptr;
        FText.clear();
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::ShortcutOverride:
        case QEvent::InputMethod:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::DragEnter:
        case QEvent::Drop:
        case QEvent::ContextMenu:
            Finish();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void Step() {
        if (Active())
            AppendUpTo(LineEndAfter(FText, FDone, StepSize));
    }
    void AppendUpTo(qsizetype end) {
        if (!FDocument) // the editor went on to another document
            return Drop();
        FAppending = true;
        QTextCursor cursor(FDocument);
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(FText.mid(FDone, end - FDone));
        FDone = end;
        FDocument->setModified(false);
        FAppending = false;
        if (FDone < FText.size())
            return FTimer.start();
        FDocument->setUndoRedoEnabled(true);
        Drop();
    }

    QPointer<QTextDocument> FDocument;
    QString FText;
    qsizetype FDone = 0;
    QTimer FTimer;
    bool FAppending = false;
};

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
    void Clear() override { FMemo.Clear(); }
    QString Text() const override {
        QString text = DocumentText(Document());
        if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
            text += QLatin1Char('\n');
        return ToCrLf(text);
    }
    void SetText(const QString& text) override { FMemo.ReplaceText(ToLf(text)); }

protected:
    void SetUpdateState(bool updating) override { FMemo.FTextEdit->setUpdatesEnabled(!updating); }

private:
    QTextDocument& Document() const {
        FMemo.FinishFilling();
        return *FMemo.FTextEdit->document();
    }
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
    : TEditorHost(parent), FTextEdit(new TInnerEditor<QPlainTextEdit>(this, InApplicationFont)),
      FLines(std::make_unique<TMemoStrings>(*this)),
      FFill(std::make_unique<TMemoFill>(*FTextEdit)) {
    FTextEdit->setFrameShape(QFrame::NoFrame);
    FTextEdit->setTabChangesFocus(!FWantTabs);
    FTextEdit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    FTextEdit->document()->setDocumentMargin(1);
    // The rest of a long text coming in is no change of the text.
    connect(FTextEdit, &QPlainTextEdit::textChanged, this, [this] {
        if (!FFill->Appending())
            Guarded([this] { Change(); });
    });
    for (QScrollBar* bar : {FTextEdit->verticalScrollBar(), FTextEdit->horizontalScrollBar()}) {
        connect(bar, &QScrollBar::valueChanged, this, [this] { Guarded([this] { Scrolled(); }); });
        connect(bar, &QScrollBar::rangeChanged, this, [this] { Guarded([this] { Scrolled(); }); });
    }
    UpdateScrollBarPolicy();
    HoldEditorFontWhileHidden();
    SetEditorWidget(FTextEdit);
    SetBounds(Left(), Top(), 185, 89);
}

TCustomMemo::~TCustomMemo() {
    FTextEdit->disconnect(this);
    FTextEdit->verticalScrollBar()->disconnect(this);
    FTextEdit->horizontalScrollBar()->disconnect(this);
}

QPlainTextEdit* TCustomMemo::Editor() const {
    SettleEditor();
    return FTextEdit;
}

void TCustomMemo::SetLines(const TStrings& lines) {
    FLines->Assign(lines);
}

QString TCustomMemo::Text() const {
    FinishFilling();
    return ToCrLf(DocumentText(*FTextEdit->document()));
}

void TCustomMemo::SetText(const QString& text) {
    QString lf = ToLf(text);
    if (lf != (FFill->Active() ? FFill->Text() : DocumentText(*FTextEdit->document())))
        ReplaceText(lf);
}

void TCustomMemo::ReplaceText(const QString& lf) {
    FFill->Drop();
    if (lf.size() <= FillThreshold) {
        ReplaceEditorText(*FTextEdit, lf, true, OnNewDocument);
        return;
    }
    const qsizetype shown = EndOfLines(lf, ShownLines);
    QTextDocument* document =
        ReplaceEditorText(*FTextEdit, lf.left(shown), shown == lf.size(), OnNewDocument);
    if (shown < lf.size())
        FFill->Start(document, lf, shown);
}

bool TCustomMemo::Filling() const {
    return FFill->Active();
}

void TCustomMemo::FinishFilling() const {
    FFill->Finish();
}

void TCustomMemo::SetMonospaced(bool value) {
    if (FMonospaced == value)
        return;
    FMonospaced = value;
    FontChanged();
}

QFont TCustomMemo::EditorFont() const {
    QFont face = TEditorHost::EditorFont();
    if (FMonospaced) {
        face.setFamilies({QStringLiteral("DejaVu Sans Mono"), face.family()});
        face.setFixedPitch(true);
    }
    return face;
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
    FinishFilling();
    return FTextEdit->textCursor().selectionStart();
}

void TCustomMemo::SetSelStart(int start) {
    FinishFilling();
    QTextCursor cursor = FTextEdit->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.setPosition(std::clamp(start, 0, cursor.position()));
    FTextEdit->setTextCursor(cursor);
}

int TCustomMemo::SelLength() const {
    FinishFilling();
    QTextCursor cursor = FTextEdit->textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void TCustomMemo::SetSelLength(int length) {
    FinishFilling();
    QTextCursor cursor = FTextEdit->textCursor();
    int start = cursor.selectionStart();
    cursor.movePosition(QTextCursor::End);
    int end = std::clamp(start + std::max(0, length), start, cursor.position());
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    FTextEdit->setTextCursor(cursor);
}

QString TCustomMemo::SelText() const {
    FinishFilling();
    QString text = FTextEdit->textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
    return text;
}

void TCustomMemo::SetSelText(const QString& text) {
    FinishFilling();
    FTextEdit->textCursor().insertText(ToLf(text));
}

void TCustomMemo::SelectAll() {
    FinishFilling();
    FTextEdit->selectAll();
}

void TCustomMemo::SelectInLine(int line, int column, int length) {
    FinishFilling();
    QTextDocument* document = FTextEdit->document();
    const QTextBlock block =
        document->findBlockByNumber(std::clamp(line, 0, document->blockCount() - 1));
    const int lineLength = block.length() - 1; // without the block's separator
    const int start = block.position() + std::clamp(column, 0, lineLength);
    const int end = std::min(start + std::max(0, length), block.position() + lineLength);
    QTextCursor cursor(document);
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    Editor()->setTextCursor(cursor);
    FTextEdit->centerCursor();
}

void TCustomMemo::ClearSelection() {
    FinishFilling();
    QTextCursor cursor = FTextEdit->textCursor();
    if (cursor.hasSelection() && !FTextEdit->isReadOnly())
        cursor.removeSelectedText();
}

void TCustomMemo::CopyToClipboard() {
    FinishFilling();
    FTextEdit->copy();
}

void TCustomMemo::CutToClipboard() {
    FinishFilling();
    FTextEdit->cut();
}

void TCustomMemo::PasteFromClipboard() {
    FinishFilling();
    FTextEdit->paste();
}

void TCustomMemo::Clear() {
    FFill->Drop();
    FTextEdit->clear();
}

bool TCustomMemo::CanUndo() const {
    FinishFilling();
    return FTextEdit->document()->isUndoAvailable();
}

void TCustomMemo::Undo() {
    FinishFilling();
    FTextEdit->undo();
}

void TCustomMemo::ClearUndo() {
    FinishFilling();
    FTextEdit->document()->clearUndoRedoStacks();
}

bool TCustomMemo::Modified() const {
    FinishFilling();
    return FTextEdit->document()->isModified();
}

void TCustomMemo::SetModified(bool value) {
    FinishFilling();
    FTextEdit->document()->setModified(value);
}

// The scroll state follows the layout in the memo's font: a memo that holds its font while
// hidden tells the change through Scrolled when the font reaches it. Moving the text or
// counting the lines in view lays it out in the font first.
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
    FinishFilling();
    QScrollBar* bar = Editor()->verticalScrollBar();
    bar->setValue(bar->value() + count);
}

void TCustomMemo::ScrollTo(int line) {
    FinishFilling();
    Editor()->verticalScrollBar()->setValue(line);
}

void TCustomMemo::ScrollHorzBy(int pixels) {
    QScrollBar* bar = Editor()->horizontalScrollBar();
    bar->setValue(bar->value() + pixels);
}

void TCustomMemo::ScrollHorzTo(int position) {
    Editor()->horizontalScrollBar()->setValue(position);
}

int TCustomMemo::VisibleLineCount() const {
    int spacing = Editor()->fontMetrics().lineSpacing();
    return spacing > 0 ? FTextEdit->viewport()->height() / spacing : 0;
}

void TCustomMemo::Change() {
    FireEvent(OnChange, this);
}

void TCustomMemo::Scrolled() {
    FireEvent(OnScroll, this);
}
