#include "framework/StdCtrls.h"

#include "framework/ControlBorders.h"
#include "framework/InnerEditor.h"

#include <QAbstractScrollArea>
#include <QLineEdit>
#include <QProxyStyle>
#include <QValidator>
#include <algorithm>
#include <limits>

using namespace ControlBorders;

namespace {

QString ToCase(const QString& text, TEditCharCase charCase) {
    switch (charCase) {
    case ecUpperCase:
        return text.toUpper();
    case ecLowerCase:
        return text.toLower();
    default:
        return text;
    }
}

// Converts typed text to the edit's case as it is entered.
class TCaseValidator : public QValidator {
public:
    TCaseValidator(TEditCharCase charCase, QObject* parent)
        : QValidator(parent), FCharCase(charCase) {}
    State validate(QString& input, int&) const override {
        input = ToCase(input, FCharCase);
        return Acceptable;
    }

private:
    TEditCharCase FCharCase;
};

// Gives a line edit its own password character.
class TPasswordCharStyle : public QProxyStyle {
public:
    explicit TPasswordCharStyle(QChar ch) : FChar(ch) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter)
            return FChar.unicode();
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

private:
    QChar FChar;
};

Qt::Alignment QtAlignmentOf(TAlignment alignment) {
    switch (alignment) {
    case taRightJustify:
        return Qt::AlignRight | Qt::AlignVCenter;
    case taCenter:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

} // namespace

// ---------------------------------------------------------------------------------------
// TEditorHost

TEditorHost::TEditorHost(QWidget* parent) : TCustomControl(parent) {
    SetControlStyle(ControlStyle() | csOpaque);
    SetColor(clWindow);
    SetTabStop(true);
}

TEditorHost::~TEditorHost() {
    if (auto* link = dynamic_cast<TInnerEditorLink*>(FEditor))
        link->Unlink();
}

void TEditorHost::SetEditorWidget(QWidget* editor) {
    FEditor = editor;
    setFocusProxy(editor);
    // OnMouseMove fires without a button held, as over any control.
    editor->setMouseTracking(true);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(editor))
        area->viewport()->setMouseTracking(true);
    editor->setFont(font());
    UpdateEditorPalette();
    LayoutEditor();
    editor->show();
}

void TEditorHost::SetBorderStyle(TBorderStyle style) {
    style = style == bsNone ? bsNone : bsSingle;
    if (style == FBorderStyle)
        return;
    FBorderStyle = style;
    LayoutEditor();
    Invalidate();
}

void TEditorHost::SetCtl3D(bool value) {
    if (value == FCtl3D)
        return;
    FCtl3D = value;
    LayoutEditor();
    Invalidate();
}

int TEditorHost::BorderWidth() const {
    return ControlBorderWidth(FBorderStyle, FCtl3D);
}

TRect TEditorHost::ClientRect() const {
    return InsideBorder(this, BorderWidth());
}

void TEditorHost::SetEditorMargins(int left, int top, int right, int bottom) {
    FEditorMargins = TRect(left, top, right, bottom);
    LayoutEditor();
}

TRect TEditorHost::EditorRect() const {
    TRect r = ClientRect();
    r.Left += FEditorMargins.Left;
    r.Top += FEditorMargins.Top;
    r.Right = std::max(r.Left, r.Right - FEditorMargins.Right);
    r.Bottom = std::max(r.Top, r.Bottom - FEditorMargins.Bottom);
    return r;
}

void TEditorHost::LayoutEditor() {
    if (FEditor)
        FEditor->setGeometry(EditorRect().ToQRect());
}

void TEditorHost::SetEditorTransparent(bool value) {
    if (value == FEditorTransparent)
        return;
    FEditorTransparent = value;
    UpdateEditorPalette();
}

void TEditorHost::SetHideSelection(bool value) {
    if (value == FHideSelection)
        return;
    FHideSelection = value;
    UpdateEditorPalette();
}

void TEditorHost::UpdateEditorPalette() {
    if (!FEditor)
        return;
    QPalette pal = FEditor->palette();
    QColor base = FEditorTransparent ? QColor(Qt::transparent) : ToQColor(Color());
    QColor text = ToQColor(isEnabled() ? Font()->Color() : clGrayText);
    bool showSelection = !FHideSelection || FEditor->hasFocus();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Base, base);
        pal.setColor(group, QPalette::Window, base);
        pal.setColor(group, QPalette::Text, text);
        pal.setColor(group, QPalette::Highlight,
                     showSelection ? ToQColor(clHighlight) : QColor(Qt::transparent));
        // A hidden selection takes no colour of its own: the text keeps its colours.
        pal.setBrush(group, QPalette::HighlightedText,
                     showSelection ? QBrush(ToQColor(clHighlightText)) : QBrush());
    }
    FEditor->setPalette(pal);
    FEditor->setAutoFillBackground(false);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(FEditor))
        area->viewport()->setAutoFillBackground(!FEditorTransparent);
}

void TEditorHost::Paint() {
    TCanvas& canvas = *Canvas();
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = Color();
    canvas.FillRect(ClientRect());
    PaintControlBorder(canvas, width(), height(), FBorderStyle, FCtl3D);
}

void TEditorHost::SizeChanged() {
    LayoutEditor();
    TCustomControl::SizeChanged();
}

void TEditorHost::FontChanged() {
    // The editor takes the font before the host's own reaches it: otherwise the editor lays
    // its text out once in a mix of its old font and the host's new one.
    if (FEditor)
        FEditor->setFont(Font()->ToQFont());
    TCustomControl::FontChanged();
    UpdateEditorPalette();
}

void TEditorHost::ColorChanged() {
    TCustomControl::ColorChanged();
    UpdateEditorPalette();
}

void TEditorHost::EnabledChanged() {
    TCustomControl::EnabledChanged();
    UpdateEditorPalette();
}

void TEditorHost::EditorMouseEvent(QMouseEvent* event, QWidget* source) {
    QPointF local = source->mapTo(this, event->position().toPoint());
    QMouseEvent mapped(event->type(), local, event->globalPosition(), event->button(),
                       event->buttons(), event->modifiers());
    HandleMouseEvent(&mapped);
}

void TEditorHost::EditorFocusIn(Qt::FocusReason reason) {
    UpdateEditorPalette();
    if (!FEntered) {
        FEntered = true;
        Guarded([this] { DoEnter(); });
    }
    Guarded([&] { EditorEntered(reason); });
}

void TEditorHost::EditorFocusOut(Qt::FocusReason reason) {
    UpdateEditorPalette();
    if (FEntered && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        FEntered = false;
        Guarded([this] { DoExit(); });
    }
}

bool TEditorHost::EditorContextMenu(const QPoint& globalPos) {
    bool shown = false;
    Guarded([&] { shown = DoContextPopup(TPoint::FromQPoint(globalPos)); });
    return shown;
}

// ---------------------------------------------------------------------------------------
// TCustomEdit

TCustomEdit::TCustomEdit(QWidget* parent)
    : TEditorHost(parent), FLineEdit(new TInnerEditor<QLineEdit>(this)) {
    FLineEdit->setFrame(false);
    FLineEdit->setMaxLength(std::numeric_limits<int>::max());
    FLineEdit->setAlignment(QtAlignmentOf(FAlignment));
    FLineEdit->setContextMenuPolicy(Qt::DefaultContextMenu);
    connect(FLineEdit, &QLineEdit::textChanged, this, [this] { Guarded([this] { Change(); }); });
    SetEditorWidget(FLineEdit);
    SetBounds(Left(), Top(), 121, 21);
}

TCustomEdit::~TCustomEdit() {
    // The edit's own signals must not reach a half-destroyed control.
    FLineEdit->disconnect(this);
}

QString TCustomEdit::Text() const {
    return FLineEdit->text();
}

void TCustomEdit::SetText(const QString& text) {
    QString converted = ToCase(text, FCharCase);
    if (FMaxLength > 0)
        converted.truncate(FMaxLength);
    if (converted != FLineEdit->text())
        FLineEdit->setText(converted);
}

void TCustomEdit::SetMaxLength(int length) {
    FMaxLength = std::max(0, length);
    FLineEdit->setMaxLength(FMaxLength > 0 ? FMaxLength : std::numeric_limits<int>::max());
}

void TCustomEdit::SetPasswordChar(QChar ch) {
    if (ch == FPasswordChar)
        return;
    FPasswordChar = ch;
    UpdateEchoMode();
}

void TCustomEdit::UpdateEchoMode() {
    if (FPasswordChar.isNull()) {
        FLineEdit->setEchoMode(QLineEdit::Normal);
        return;
    }
    // The line edit reads the character from its style when the style changes.
    QProxyStyle* old = FPasswordStyle;
    FPasswordStyle = new TPasswordCharStyle(FPasswordChar);
    FPasswordStyle->setParent(FLineEdit);
    FLineEdit->setStyle(FPasswordStyle);
    delete old;
    FLineEdit->setEchoMode(QLineEdit::Password);
}

bool TCustomEdit::ReadOnly() const {
    return FLineEdit->isReadOnly();
}

void TCustomEdit::SetReadOnly(bool value) {
    FLineEdit->setReadOnly(value);
}

void TCustomEdit::SetCharCase(TEditCharCase charCase) {
    if (charCase == FCharCase)
        return;
    FCharCase = charCase;
    const QValidator* old = FLineEdit->validator();
    FLineEdit->setValidator(charCase == ecNormal ? nullptr
                                                 : new TCaseValidator(charCase, FLineEdit));
    delete old;
    SetText(FLineEdit->text());
}

void TCustomEdit::SetAlignment(TAlignment alignment) {
    FAlignment = alignment;
    FLineEdit->setAlignment(QtAlignmentOf(alignment));
}

void TCustomEdit::SetTextMargins(int left, int right) {
    FLineEdit->setTextMargins(left, 0, right, 0);
}

int TCustomEdit::SelStart() const {
    return FLineEdit->hasSelectedText() ? FLineEdit->selectionStart() : FLineEdit->cursorPosition();
}

void TCustomEdit::SetSelStart(int start) {
    FLineEdit->deselect();
    FLineEdit->setCursorPosition(std::clamp(start, 0, static_cast<int>(Text().size())));
}

int TCustomEdit::SelLength() const {
    return FLineEdit->selectionLength();
}

void TCustomEdit::SetSelLength(int length) {
    int start = SelStart();
    int available = static_cast<int>(Text().size()) - start;
    FLineEdit->setSelection(start, std::clamp(length, 0, available));
}

QString TCustomEdit::SelText() const {
    return FLineEdit->selectedText();
}

void TCustomEdit::SetSelText(const QString& text) {
    FLineEdit->insert(ToCase(text, FCharCase));
}

void TCustomEdit::SelectAll() {
    FLineEdit->selectAll();
}

void TCustomEdit::ClearSelection() {
    if (FLineEdit->hasSelectedText() && !FLineEdit->isReadOnly())
        FLineEdit->del();
}

void TCustomEdit::CopyToClipboard() {
    FLineEdit->copy();
}

void TCustomEdit::CutToClipboard() {
    FLineEdit->cut();
}

void TCustomEdit::PasteFromClipboard() {
    FLineEdit->paste();
}

bool TCustomEdit::CanUndo() const {
    return FLineEdit->isUndoAvailable();
}

void TCustomEdit::Undo() {
    FLineEdit->undo();
}

void TCustomEdit::ClearUndo() {
    // A line edit forgets its history when its text is set; the text stays the same, so
    // nobody hears of it.
    int start = FLineEdit->selectionStart();
    int length = FLineEdit->selectionLength();
    int cursor = FLineEdit->cursorPosition();
    bool modified = FLineEdit->isModified();
    QSignalBlocker blocker(FLineEdit);
    FLineEdit->setText(FLineEdit->text());
    FLineEdit->setCursorPosition(cursor);
    if (start >= 0 && length > 0)
        FLineEdit->setSelection(cursor == start ? start + length : start,
                                cursor == start ? -length : length);
    FLineEdit->setModified(modified);
}

bool TCustomEdit::Modified() const {
    return FLineEdit->isModified();
}

void TCustomEdit::SetModified(bool value) {
    FLineEdit->setModified(value);
}

void TCustomEdit::Change() {
    FireEvent(OnChange, this);
}

void TCustomEdit::EditorEntered(Qt::FocusReason reason) {
    // Entering by keyboard selects the text (or not, as AutoSelect says); a click places
    // the caret where it lands.
    if (reason == Qt::MouseFocusReason || reason == Qt::ActiveWindowFocusReason ||
        reason == Qt::PopupFocusReason)
        return;
    if (FAutoSelect)
        FLineEdit->selectAll();
    else if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
             reason == Qt::ShortcutFocusReason)
        FLineEdit->deselect();
}
