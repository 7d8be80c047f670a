#include "framework/Controls.h"

#include "framework/Canvas.h"
#include "framework/Exceptions.h"
#include "framework/Forms.h"
#include "framework/Menus.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <algorithm>
#include <vector>

// ---------------------------------------------------------------------------------------
// Small helpers

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    TShiftState s;
    if (modifiers & Qt::ShiftModifier)
        s.Include(ssShift);
    if (modifiers & Qt::AltModifier)
        s.Include(ssAlt);
    if (modifiers & Qt::ControlModifier)
        s.Include(ssCtrl);
    if (buttons & Qt::LeftButton)
        s.Include(ssLeft);
    if (buttons & Qt::RightButton)
        s.Include(ssRight);
    if (buttons & Qt::MiddleButton)
        s.Include(ssMiddle);
    return s;
}

Qt::KeyboardModifiers ModifiersOf(TShiftState shift) {
    Qt::KeyboardModifiers m;
    if (shift.Contains(ssShift))
        m |= Qt::ShiftModifier;
    if (shift.Contains(ssAlt))
        m |= Qt::AltModifier;
    if (shift.Contains(ssCtrl))
        m |= Qt::ControlModifier;
    return m;
}

Qt::CursorShape CursorShapeOf(TCursor cursor) {
    switch (cursor) {
    case crNone:
        return Qt::BlankCursor;
    case crCross:
        return Qt::CrossCursor;
    case crIBeam:
        return Qt::IBeamCursor;
    case crSizeNESW:
        return Qt::SizeBDiagCursor;
    case crSizeNS:
        return Qt::SizeVerCursor;
    case crSizeNWSE:
        return Qt::SizeFDiagCursor;
    case crSizeWE:
        return Qt::SizeHorCursor;
    case crUpArrow:
        return Qt::UpArrowCursor;
    case crHourGlass:
        return Qt::WaitCursor;
    case crDrag:
        return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo:
        return Qt::ForbiddenCursor;
    case crHSplit:
        return Qt::SplitHCursor;
    case crVSplit:
        return Qt::SplitVCursor;
    case crAppStart:
        return Qt::BusyCursor;
    case crHelp:
        return Qt::WhatsThisCursor;
    case crHandPoint:
        return Qt::PointingHandCursor;
    case crSizeAll:
        return Qt::SizeAllCursor;
    default:
        return Qt::ArrowCursor;
    }
}

QString GetShortHint(const QString& hint) {
    int bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.left(bar);
}

QString GetLongHint(const QString& hint) {
    int bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

TControl* ControlOfWidget(QWidget* widget) {
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (auto* control = qobject_cast<TControl*>(w))
            return control;
        if (w->isWindow())
            break;
    }
    return nullptr;
}

TForm* GetParentForm(const TControl* control) {
    for (const QWidget* w = control; w; w = w->parentWidget())
        if (auto* form = qobject_cast<TForm*>(const_cast<QWidget*>(w)))
            return form;
    return nullptr;
}

namespace {

// Gives `roles` of the widget's own palette `color` in every colour group. A palette that has
// them already is left alone: each setPalette resolves the palette against the parent's and
// the application's and passes it on to every child, and constructors, style changes and
// skins ask for the same colours again and again.
void SetOwnPaletteColor(QWidget& widget, std::initializer_list<QPalette::ColorRole> roles,
                        const QColor& color) {
    const QPalette& current = widget.palette();
    const QBrush brush(color);
    const auto held = [&](QPalette::ColorRole role) {
        for (QPalette::ColorGroup group :
             {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            if (!current.isBrushSet(group, role) || current.brush(group, role) != brush)
                return false;
        return true;
    };
    if (widget.testAttribute(Qt::WA_SetPalette) && std::all_of(roles.begin(), roles.end(), held))
        return;
    QPalette pal = current;
    for (QPalette::ColorRole role : roles)
        pal.setColor(role, color);
    widget.setPalette(pal);
}

// The container a new control goes into: a windowed control's child container.
QWidget* ContainerFor(QWidget* parent) {
    if (auto* w = qobject_cast<TWinControl*>(parent))
        return w->ChildContainer();
    return parent;
}

bool MouseButtonOf(Qt::MouseButton qtButton, TMouseButton& button) {
    switch (qtButton) {
    case Qt::LeftButton:
        button = mbLeft;
        return true;
    case Qt::RightButton:
        button = mbRight;
        return true;
    case Qt::MiddleButton:
        button = mbMiddle;
        return true;
    default:
        return false;
    }
}

bool IsDialogKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

// A control that types text takes plain characters; others let them act as accelerators.
bool FocusTakesText(const QWidget* fallback) {
    const QWidget* w = QApplication::focusWidget();
    if (!w)
        w = fallback;
    while (w && w->focusProxy())
        w = w->focusProxy();
    return w && w->testAttribute(Qt::WA_InputMethodEnabled);
}

} // namespace

// ---------------------------------------------------------------------------------------
// TControl

TControl::TControl(QWidget* parent) : QWidget(ContainerFor(parent)) {
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    if (TControl* p = Parent()) {
        FApplyingParentFont = true;
        FFont.Assign(*p->Font());
        FApplyingParentFont = false;
    }
    FFont.OnChange = [this] { FontAttributesChanged(); };
    ApplyFont();
    UpdateBackground();
    if (parentWidget())
        QWidget::setVisible(true);
    Application->Initialize();
}

TControl::~TControl() {
    FFont.OnChange = nullptr;
}

TWinControl* TControl::Parent() const {
    if (isWindow())
        return nullptr;
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* control = qobject_cast<TWinControl*>(w))
            return control;
        if (w->isWindow())
            break;
    }
    return nullptr;
}

void TControl::SetParent(TWinControl* parent) {
    TWinControl* old = Parent();
    QWidget* container = parent ? parent->ChildContainer() : nullptr;
    if (container == parentWidget())
        return;
    setParent(container);
    if (container && FVisible)
        QWidget::setVisible(true);
    if (old)
        old->ControlChanged(this);
    if (parent) {
        if (FParentFont)
            ParentFontChanged();
        if (FParentColor)
            ParentColorChanged();
        parent->ControlChanged(this);
    }
}

TForm* TControl::ParentForm() const {
    return GetParentForm(this);
}

int TControl::Left() const {
    return x();
}
int TControl::Top() const {
    return y();
}
int TControl::Width() const {
    return width();
}
int TControl::Height() const {
    return height();
}
void TControl::SetLeft(int value) {
    SetBounds(value, Top(), Width(), Height());
}
void TControl::SetTop(int value) {
    SetBounds(Left(), value, Width(), Height());
}
void TControl::SetWidth(int value) {
    SetBounds(Left(), Top(), value, Height());
}
void TControl::SetHeight(int value) {
    SetBounds(Left(), Top(), Width(), value);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    AWidth = std::max(0, AWidth);
    AHeight = std::max(0, AHeight);
    if (ALeft == Left() && ATop == Top() && AWidth == Width() && AHeight == Height())
        return;
    if (isWindow()) {
        move(ALeft, ATop);
        resize(AWidth, AHeight);
    } else {
        setGeometry(ALeft, ATop, AWidth, AHeight);
    }
    // Qt tells a hidden widget about its new size only when it is shown; the layout and
    // OnResize follow every change at once, as the program expects.
    if (size() != FNotifiedSize) {
        FNotifiedSize = size();
        SizeChanged();
        Resize();
    }
    RequestParentAlign();
}

TRect TControl::BoundsRect() const {
    return Bounds(Left(), Top(), Width(), Height());
}

void TControl::SetBoundsRect(const TRect& rect) {
    SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
}

TRect TControl::ClientRect() const {
    return TRect(0, 0, width(), height());
}

// The widget whose coordinates are the control's client coordinates.
static const QWidget* ClientWidgetOf(const TControl* control) {
    if (auto* win = qobject_cast<const TWinControl*>(control))
        return const_cast<TWinControl*>(win)->ChildContainer();
    return control;
}

TPoint TControl::ClientToScreen(const TPoint& point) const {
    return TPoint::FromQPoint(ClientWidgetOf(this)->mapToGlobal(point.ToQPoint()));
}

TPoint TControl::ScreenToClient(const TPoint& point) const {
    return TPoint::FromQPoint(ClientWidgetOf(this)->mapFromGlobal(point.ToQPoint()));
}

void TControl::SetAlign(TAlign align) {
    if (align == FAlign)
        return;
    FAlign = align;
    // Also when the control leaves alignment: its neighbours take its place back.
    if (TWinControl* p = Parent())
        p->RealignFor(this);
}

bool TControl::Visible() const {
    return isWindow() ? isVisible() : FVisible;
}

void TControl::setVisible(bool visible) {
    bool changed = visible != Visible();
    if (!isWindow())
        FVisible = visible;
    QWidget::setVisible(visible);
    if (changed) {
        Guarded([this] { VisibleChanged(); });
        RequestParentAlign();
    }
}

bool TControl::Enabled() const {
    return !testAttribute(Qt::WA_ForceDisabled);
}

void TControl::SetEnabled(bool enabled) {
    setEnabled(enabled);
}

void TControl::SetControlStyle(TControlStyle style) {
    FControlStyle = style;
    UpdateBackground();
}

void TControl::SetColor(TColor color) {
    bool wasParent = FParentColor;
    FParentColor = false;
    if (color == FColor && !wasParent)
        return;
    FColor = color;
    ColorChanged();
}

void TControl::SetParentColor(bool value) {
    FParentColor = value;
    if (value)
        ParentColorChanged();
}

void TControl::ColorChanged() {
    UpdateBackground();
    NotifyChildren(&TControl::ParentColorChanged);
    update();
}

void TControl::ParentColorChanged() {
    TControl* p = Parent();
    if (!FParentColor || !p)
        return;
    if (p->Color() != FColor) {
        FColor = p->Color();
        ColorChanged();
    }
}

void TControl::UpdateBackground() {
    bool opaque = (FControlStyle & csOpaque) != 0;
    setAttribute(Qt::WA_OpaquePaintEvent, opaque);
    setAutoFillBackground(!opaque);
    SetOwnPaletteColor(*this, {QPalette::Window}, ToQColor(FColor));
}

void TControl::SetParentFont(bool value) {
    FParentFont = value;
    if (value)
        ParentFontChanged();
}

void TControl::FontAttributesChanged() {
    if (!FApplyingParentFont)
        FParentFont = false;
    Guarded([this] { FontChanged(); });
}

void TControl::FontChanged() {
    ApplyFont();
    NotifyChildren(&TControl::ParentFontChanged);
    update();
}

void TControl::ParentFontChanged() {
    TControl* p = Parent();
    if (!FParentFont || !p || FFont.SameAs(*p->Font()))
        return;
    FApplyingParentFont = true;
    FFont.Assign(*p->Font());
    FApplyingParentFont = false;
}

void TControl::ApplyFont() {
    setFont(FFont.ToQFont());
    SetOwnPaletteColor(*this, {QPalette::WindowText, QPalette::Text, QPalette::ButtonText},
                       ToQColor(FFont.Color()));
}

void TControl::NotifyChildren(void (TControl::*notification)()) {
    auto* self = qobject_cast<TWinControl*>(this);
    if (!self)
        return;
    for (TControl* child : self->ControlList())
        Guarded([&] { (child->*notification)(); });
}

void TControl::SetCursor(TCursor cursor) {
    FCursor = cursor;
    if (cursor == crDefault)
        unsetCursor();
    else
        setCursor(QCursor(CursorShapeOf(cursor)));
}

void TControl::SetText(const QString& text) {
    if (text == FText)
        return;
    FText = text;
    TextChanged();
}

bool TControl::ShowHint() const {
    TControl* p = Parent();
    if (FParentShowHint && p)
        return p->ShowHint();
    return FShowHint;
}

void TControl::SetShowHint(bool value) {
    FShowHint = value;
    FParentShowHint = false;
}

TPopupMenu* TControl::PopupMenu() const {
    return qobject_cast<TPopupMenu*>(FPopupMenu.data());
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
    FPopupMenu = menu;
}

void TControl::SetTabOrder(int order) {
    FTabOrder = std::max(0, order);
    TWinControl* p = Parent();
    if (!p)
        return;
    // Qt keeps one focus chain per window; chain the siblings in their tab order.
    QList<TControl*> siblings = p->ControlList();
    std::vector<std::pair<int, TControl*>> ordered;
    for (int i = 0; i < siblings.size(); ++i) {
        TControl* c = siblings[i];
        int key = c->FTabOrder >= 0 ? c->FTabOrder : 100000 + i;
        ordered.emplace_back(key, c);
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 1; i < ordered.size(); ++i)
        QWidget::setTabOrder(ordered[i - 1].second, ordered[i].second);
}

void TControl::SetTabStop(bool value) {
    FTabStop = value;
}

bool TControl::CanFocus() const {
    return false;
}

void TControl::SetFocus() {
    if (!CanFocus())
        throw EInvalidOperation(QStringLiteral("Cannot focus a disabled or invisible window"));
    setFocus(Qt::OtherFocusReason);
}

void TControl::Click() {
    FireEvent(OnClick, this);
}

void TControl::DblClick() {
    FireEvent(OnDblClick, this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    FireEvent(OnMouseDown, this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
    FireEvent(OnMouseMove, this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    FireEvent(OnMouseUp, this, Button, Shift, X, Y);
}

void TControl::MouseEnter() {
    FireEvent(OnMouseEnter, this);
}

void TControl::MouseLeave() {
    FireEvent(OnMouseLeave, this);
}

void TControl::KeyDown(int& Key, TShiftState Shift) {
    FireEvent(OnKeyDown, this, Key, Shift);
}

void TControl::KeyPress(QChar& Key) {
    FireEvent(OnKeyPress, this, Key);
}

void TControl::KeyUp(int& Key, TShiftState Shift) {
    FireEvent(OnKeyUp, this, Key, Shift);
}

void TControl::DoEnter() {
    FireEvent(OnEnter, this);
}

void TControl::DoExit() {
    FireEvent(OnExit, this);
}

void TControl::Resize() {
    FireEvent(OnResize, this);
}

bool TControl::WantsKey(int, TShiftState) const {
    return false;
}

bool TControl::DialogKey(int, TShiftState) {
    return false;
}

bool TControl::DialogChar(QChar) {
    return false;
}

bool TControl::DoContextPopup(const TPoint& screenPoint) {
    TPopupMenu* menu = PopupMenu();
    if (!menu || !menu->AutoPopup())
        return false;
    menu->SetPopupComponent(this);
    menu->Popup(screenPoint.X, screenPoint.Y);
    return true;
}

void TControl::RequestParentAlign() {
    if (TWinControl* p = Parent())
        p->ControlChanged(this);
}

bool TControl::DispatchKeyDown(QKeyEvent* event, QChar* pressedChar) {
    bool consumed = true;
    Guarded([&] { consumed = DispatchKeys(event, pressedChar); });
    return consumed;
}

bool TControl::DispatchKeys(QKeyEvent* event, QChar* pressedChar) {
    if (pressedChar)
        *pressedChar = QChar();
    TForm* form = ParentForm();
    TShortCut shortCut = ShortCutFromKeyEvent(*event);
    if (form && shortCut != scNone && form->IsShortCut(shortCut))
        return true;

    int key = event->key();
    TShiftState shift = ShiftStateOf(event->modifiers());
    bool preview = form && form != this && form->KeyPreview();
    if (preview) {
        form->KeyDown(key, shift);
        if (key == 0)
            return true;
    }
    KeyDown(key, shift);
    if (key == 0)
        return true;

    bool alt = shift.Contains(ssAlt) && !shift.Contains(ssCtrl);
    QString text = event->text();
    QChar ch = text.isEmpty() ? QChar() : text.at(0);
    if (!ch.isNull() && !alt) {
        if (preview) {
            form->KeyPress(ch);
            if (ch.isNull())
                return true;
        }
        KeyPress(ch);
        if (ch.isNull())
            return true;
        if (pressedChar)
            *pressedChar = ch;
    }

    if (!form)
        return false;
    if (IsDialogKey(key) && !WantsKey(key, shift) && form->BroadcastDialogKey(key, shift))
        return true;
    if (!ch.isNull() && ch.isPrint() && (alt || (shift.IsEmpty() && !FocusTakesText(this))) &&
        form->BroadcastDialogChar(ch))
        return true;
    return false;
}

bool TControl::DispatchKeyUp(QKeyEvent* event) {
    bool consumed = true;
    Guarded([&] {
        int key = event->key();
        TShiftState shift = ShiftStateOf(event->modifiers());
        TForm* form = ParentForm();
        if (form && form != this && form->KeyPreview()) {
            form->KeyUp(key, shift);
            if (key == 0)
                return;
        }
        KeyUp(key, shift);
        consumed = key == 0;
    });
    return consumed;
}

bool TControl::HandleMouseEvent(QMouseEvent* event) {
    TPoint p = TPoint::FromQPoint(event->position().toPoint());
    TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons());
    TMouseButton button = mbLeft;
    bool known = MouseButtonOf(event->button(), button);
    QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonDblClick && !(FControlStyle & csDoubleClicks))
        type = QEvent::MouseButtonPress;

    Guarded([&] {
        switch (type) {
        case QEvent::MouseButtonPress:
            if (!known)
                return;
            if (button == mbLeft)
                FLeftPressed = true;
            MouseDown(button, shift, p.X, p.Y);
            break;
        case QEvent::MouseButtonDblClick:
            if (!known)
                return;
            if (button == mbLeft && (FControlStyle & csClickEvents))
                DblClick();
            MouseDown(button, shift | ssDouble, p.X, p.Y);
            break;
        case QEvent::MouseButtonRelease:
            if (!known)
                return;
            if (button == mbLeft && FLeftPressed) {
                FLeftPressed = false;
                if ((FControlStyle & csClickEvents) && PtInRect(ClientRect(), p))
                    Click();
            }
            MouseUp(button, shift, p.X, p.Y);
            break;
        case QEvent::MouseMove:
            MouseMove(shift, p.X, p.Y);
            break;
        default:
            break;
        }
    });
    return true;
}

bool TControl::event(QEvent* event) {
    if (!isEnabled()) {
        // A disabled control takes no input; Qt passes mouse events on to the parent.
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return QWidget::event(event);
        default:
            break;
        }
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        HandleMouseEvent(static_cast<QMouseEvent*>(event));
        QWidget::event(event);
        event->accept();
        return true;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (DispatchKeyDown(key)) {
            event->accept();
            return true;
        }
        // Tab moves the focus in QWidget::event; other keys end here, so a parent never
        // sees its child's keys.
        QWidget::event(event);
        event->accept();
        return true;
    }
    case QEvent::KeyRelease:
        DispatchKeyUp(static_cast<QKeyEvent*>(event));
        QWidget::event(event);
        event->accept();
        return true;
    case QEvent::ContextMenu: {
        auto* menu = static_cast<QContextMenuEvent*>(event);
        bool shown = false;
        Guarded([&] { shown = DoContextPopup(TPoint::FromQPoint(menu->globalPos())); });
        if (shown) {
            event->accept();
            return true;
        }
        event->ignore();
        return false;
    }
    case QEvent::FocusIn: {
        bool result = QWidget::event(event);
        if (!FEntered) {
            FEntered = true;
            Guarded([this] { DoEnter(); });
        }
        return result;
    }
    case QEvent::FocusOut: {
        bool result = QWidget::event(event);
        Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (FEntered && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            FEntered = false;
            Guarded([this] { DoExit(); });
        }
        return result;
    }
    default:
        break;
    }
    return QWidget::event(event);
}

void TControl::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        Guarded([this] { EnabledChanged(); });
}

void TControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (size() == FNotifiedSize)
        return;
    FNotifiedSize = size();
    Guarded([this] {
        SizeChanged();
        Resize();
    });
}

// ---------------------------------------------------------------------------------------
// TWinControl

TWinControl::TWinControl(QWidget* parent) : TControl(parent) {}

TWinControl::~TWinControl() = default;

QList<TControl*> TWinControl::ControlList() const {
    QList<TControl*> list;
    QWidget* container = const_cast<TWinControl*>(this)->ChildContainer();
    if (!container)
        return list;
    for (QObject* child : container->children()) {
        auto* control = qobject_cast<TControl*>(child);
        if (control && !control->isWindow())
            list.append(control);
    }
    return list;
}

int TWinControl::ControlCount() const {
    return static_cast<int>(ControlList().size());
}

TControl* TWinControl::Controls(int index) const {
    QList<TControl*> list = ControlList();
    return index >= 0 && index < list.size() ? list.at(index) : nullptr;
}

QList<TControl*> TWinControl::AllControls() const {
    QList<TControl*> result;
    for (TControl* child : ControlList()) {
        result.append(child);
        if (auto* win = qobject_cast<TWinControl*>(child))
            result.append(win->AllControls());
    }
    return result;
}

void TWinControl::DisableAlign() {
    ++FAlignDisabled;
}

void TWinControl::EnableAlign() {
    if (FAlignDisabled > 0 && --FAlignDisabled == 0 && FAlignPending) {
        FAlignPending = false;
        Realign();
    }
}

void TWinControl::RealignFor(TControl* changed) {
    if (FAlignDisabled > 0) {
        FAlignPending = true;
        return;
    }
    // A control that changes while it is aligned (a view hiding its scroll bar once it
    // has its size) has the controls aligned once more afterwards, a few times at most.
    if (FAligning) {
        FRealignAgain = true;
        return;
    }
    FAligning = true;
    FAlignChanged = changed;
    for (int pass = 0; pass < 3; ++pass) {
        FRealignAgain = false;
        Guarded([this] {
            TRect rect = ClientRect();
            AdjustClientRect(rect);
            AlignControls(rect);
        });
        if (!FRealignAgain)
            break;
        FAlignChanged = nullptr;
    }
    FRealignAgain = false;
    FAlignChanged = nullptr;
    FAligning = false;
}

void TWinControl::AdjustClientRect(TRect&) {}

void TWinControl::AlignControls(TRect rect) {
    static constexpr TAlign Order[] = {alTop, alBottom, alLeft, alRight, alClient};
    QList<TControl*> children = ControlList();
    for (TAlign align : Order) {
        std::vector<TControl*> list;
        for (TControl* c : children)
            if (c->Align() == align && c->Visible())
                list.push_back(c);
        // Within one alignment the controls keep their order on the edge they stick to;
        // the control that just changed goes before its equals.
        auto key = [align, this](TControl* c) {
            int place = 0;
            switch (align) {
            case alTop:
                place = c->Top();
                break;
            case alBottom:
                place = -(c->Top() + c->Height());
                break;
            case alLeft:
                place = c->Left();
                break;
            case alRight:
                place = -(c->Left() + c->Width());
                break;
            default:
                break;
            }
            return std::pair(place, c == FAlignChanged ? 0 : 1);
        };
        std::stable_sort(list.begin(), list.end(),
                         [&](TControl* a, TControl* b) { return key(a) < key(b); });
        for (TControl* c : list) {
            switch (align) {
            case alTop:
                c->SetBounds(rect.Left, rect.Top, rect.Width(), c->Height());
                rect.Top += c->Height();
                break;
            case alBottom: {
                int h = c->Height();
                c->SetBounds(rect.Left, rect.Bottom - h, rect.Width(), h);
                if (c->Height() != h) // the control refitted its height
                    c->SetBounds(rect.Left, rect.Bottom - c->Height(), rect.Width(), c->Height());
                rect.Bottom -= c->Height();
                break;
            }
            case alLeft:
                c->SetBounds(rect.Left, rect.Top, c->Width(), rect.Height());
                rect.Left += c->Width();
                break;
            case alRight: {
                int w = c->Width();
                c->SetBounds(rect.Right - w, rect.Top, w, rect.Height());
                if (c->Width() != w)
                    c->SetBounds(rect.Right - c->Width(), rect.Top, c->Width(), rect.Height());
                rect.Right -= c->Width();
                break;
            }
            case alClient:
                c->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
                break;
            default:
                break;
            }
        }
    }
}

void TWinControl::SizeChanged() {
    Realign();
}

void TWinControl::ControlChanged(TControl* child) {
    if (child->Align() != alNone)
        RealignFor(child);
}

void TWinControl::SetTabStop(bool value) {
    TControl::SetTabStop(value);
    setFocusPolicy(value ? Qt::StrongFocus : Qt::NoFocus);
}

bool TWinControl::CanFocus() const {
    return isVisible() && isEnabled();
}

// ---------------------------------------------------------------------------------------
// Painting controls

namespace {

// Runs `paint` on a control's canvas: the canvas starts each paint without clipping and
// with its origins at 0, and its painter ends before the paint event returns.
template <class F> void PaintOn(TCanvas& canvas, F&& paint) {
    canvas.SelectClipRgn(nullptr);
    canvas.SetWindowOrg(0, 0);
    canvas.SetViewportOrg(0, 0);
    Guarded(std::forward<F>(paint));
    canvas.EndPaint();
}

} // namespace

TCustomControl::TCustomControl(QWidget* parent)
    : TWinControl(parent), FCanvas(std::make_unique<TCanvas>(static_cast<QPaintDevice*>(this))) {
    FCanvas->Font.Assign(*Font());
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::Paint() {}

void TCustomControl::paintEvent(QPaintEvent*) {
    PaintOn(*FCanvas, [this] { Paint(); });
}

TGraphicControl::TGraphicControl(QWidget* parent)
    : TControl(parent), FCanvas(std::make_unique<TCanvas>(static_cast<QPaintDevice*>(this))) {
    FCanvas->Font.Assign(*Font());
    UpdateBackground();
}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Paint() {}

void TGraphicControl::paintEvent(QPaintEvent*) {
    PaintOn(*FCanvas, [this] { Paint(); });
}

void TGraphicControl::UpdateBackground() {
    // Window-less: the parent shows through wherever Paint draws nothing.
    bool opaque = (ControlStyle() & csOpaque) != 0;
    setAttribute(Qt::WA_OpaquePaintEvent, opaque);
    setAutoFillBackground(false);
}
