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
    ApplyEditorFont();
    UpdateEditorPalette();
    LayoutEditor();
    editor->show();
}

QFont TEditorHost::EditorFont() const {
    return Font()->ToQFont();
}

void TEditorHost::ApplyEditorFont() {
    if (!FEditor)
        return;
    FEditorFontPending = true;
    if (!FHoldsFontWhileHidden || FEditor->isVisible())
        TEditorHost::SettleEditor();
}

void TEditorHost::SettleEditor() const {
    if (!std::exchange(FEditorFontPending, false))
        return;
    QFont font = EditorFont();
    // Every property the control's: none comes through the host's widget font, which would
    // otherwise reach the editor apart from it and have it lay its text out in a mix.
    font.setResolveMask(QFont::AllPropertiesResolved);
    FEditor->setFont(font);
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
    // The editor takes the font before the host's own widget font changes.
    ApplyEditorFont();
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
    : TEditorHost(parent), FLineEdit(new TInnerEditor<QLineEdit>(this, InApplicationFont)) {
    FLineEdit->setFrame(false);
    FLineEdit->setMaxLength(std::numeric_limits<int>::max());
    FLineEdit->setAlignment(QtAlignmentOf(FAlignment));
    FLineEdit->setContextMenuPolicy(Qt::DefaultContextMenu);
    connect(FLineEdit, &QLineEdit::textChanged, this, [this] { Guarded([this] { Change(); }); });
    HoldEditorFontWhileHidden();
    SetEditorWidget(FLineEdit);
    SetBounds(Left(), Top(), 121, 21);
}

TCustomEdit::~TCustomEdit() {
    // The edit's own signals must not reach a half-destroyed control.
    FLineEdit->disconnect(this);
}

QString TCustomEdit::Text() const {
    return FPendingText ? *FPendingText : FLineEdit->text();
}

void TCustomEdit::SetText(const QString& text) {
    QString converted = ToCase(text, FCharCase);
    if (FMaxLength > 0)
        converted.truncate(FMaxLength);
    if (converted == Text())
        return;
    if (FLineEdit->isVisible()) {
        FLineEdit->setText(converted);
        return;
    }
    FPendingText = std::move(converted);
    Guarded([this] { Change(); });
}

QLineEdit* TCustomEdit::Editor() const {
    SettleEditor();
    return FLineEdit;
}

void TCustomEdit::SettleEditor() const {
    TEditorHost::SettleEditor();
    if (!FPendingText)
        return;
    const QString text = *std::exchange(FPendingText, std::nullopt);
    // The change was told when the text was set.
    QSignalBlocker blocker(FLineEdit);
    FLineEdit->setText(text);
}

void TCustomEdit::SetMaxLength(int length) {
    FMaxLength = std::max(0, length);
    Editor()->setMaxLength(FMaxLength > 0 ? FMaxLength : std::numeric_limits<int>::max());
}

void TCustomEdit::SetPasswordChar(QChar ch) {
    if (ch == FPasswordChar)
        return;
    FPasswordChar = ch;
    UpdateEchoMode();
}

void TCustomEdit::UpdateEchoMode() {
    if (FPasswordChar.isNull()) {
        Editor()->setEchoMode(QLineEdit::Normal);
        return;
    }
    // The line edit reads the character from its style when the style changes.
    QProxyStyle* old = FPasswordStyle;
    FPasswordStyle = new TPasswordCharStyle(FPasswordChar);
    FPasswordStyle->setParent(FLineEdit);
    Editor()->setStyle(FPasswordStyle);
    delete old;
    Editor()->setEchoMode(QLineEdit::Password);
}

bool TCustomEdit::ReadOnly() const {
    return Editor()->isReadOnly();
}

void TCustomEdit::SetReadOnly(bool value) {
    Editor()->setReadOnly(value);
}

void TCustomEdit::SetCharCase(TEditCharCase charCase) {
    if (charCase == FCharCase)
        return;
    FCharCase = charCase;
    const QValidator* old = Editor()->validator();
    Editor()->setValidator(charCase == ecNormal ? nullptr
                                                : new TCaseValidator(charCase, FLineEdit));
    delete old;
    SetText(Editor()->text());
}

void TCustomEdit::SetAlignment(TAlignment alignment) {
    FAlignment = alignment;
    Editor()->setAlignment(QtAlignmentOf(alignment));
}

void TCustomEdit::SetTextMargins(int left, int right) {
    // Margins neither show nor read the text: a held-back text and font stay held.
    FLineEdit->setTextMargins(left, 0, right, 0);
}

int TCustomEdit::SelStart() const {
    return Editor()->hasSelectedText() ? Editor()->selectionStart() : Editor()->cursorPosition();
}

void TCustomEdit::SetSelStart(int start) {
    Editor()->deselect();
    Editor()->setCursorPosition(std::clamp(start, 0, static_cast<int>(Text().size())));
}

int TCustomEdit::SelLength() const {
    return Editor()->selectionLength();
}

void TCustomEdit::SetSelLength(int length) {
    int start = SelStart();
    int available = static_cast<int>(Text().size()) - start;
    Editor()->setSelection(start, std::clamp(length, 0, available));
}

QString TCustomEdit::SelText() const {
    return Editor()->selectedText();
}

void TCustomEdit::SetSelText(const QString& text) {
    Editor()->insert(ToCase(text, FCharCase));
}

void TCustomEdit::SelectAll() {
    Editor()->selectAll();
}

void TCustomEdit::ClearSelection() {
    if (Editor()->hasSelectedText() && !Editor()->isReadOnly())
        Editor()->del();
}

void TCustomEdit::CopyToClipboard() {
    Editor()->copy();
}

void TCustomEdit::CutToClipboard() {
    Editor()->cut();
}

void TCustomEdit::PasteFromClipboard() {
    Editor()->paste();
}

bool TCustomEdit::CanUndo() const {
    return Editor()->isUndoAvailable();
}

void TCustomEdit::Undo() {
    Editor()->undo();
}

void TCustomEdit::ClearUndo() {
    // A line edit forgets its history when its text is set; the text stays the same, so
    // nobody hears of it.
    int start = Editor()->selectionStart();
    int length = Editor()->selectionLength();
    int cursor = Editor()->cursorPosition();
    bool modified = Editor()->isModified();
    QSignalBlocker blocker(FLineEdit);
    Editor()->setText(Editor()->text());
    Editor()->setCursorPosition(cursor);
    if (start >= 0 && length > 0)
        Editor()->setSelection(cursor == start ? start + length : start,
                               cursor == start ? -length : length);
    Editor()->setModified(modified);
}

bool TCustomEdit::Modified() const {
    return Editor()->isModified();
}

void TCustomEdit::SetModified(bool value) {
    Editor()->setModified(value);
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
        Editor()->selectAll();
    else if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
             reason == Qt::ShortcutFocusReason)
        Editor()->deselect();
}
