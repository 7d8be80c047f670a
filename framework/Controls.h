#pragma once
// Controls. Every control is a QWidget:
//   TControl         the base: bounds, alignment, colour, font, text, hint, mouse and keys.
//   TWinControl      a control that can hold child controls and take the focus.
//   TCustomControl   a windowed control that paints itself through Canvas in Paint.
//   TGraphicControl  a window-less control: a QWidget that never takes the focus and does
//                    not fill its background, so it paints over its parent like a control
//                    without a window of its own.
//
// Positions (Left, Top) are in the client coordinates of the parent control. A form's
// controls live in the form's client-area widget, so their positions are client
// coordinates of the form and Parent() answers the form.
//
// Keys are Qt key codes (Qt::Key_Left, Qt::Key_Return, 'A' == Qt::Key_A, ...); the VK_
// names below are aliases of them. Key events pass the code by reference: setting it to 0
// in OnKeyDown swallows the key, setting the character to 0 in OnKeyPress swallows it.
//
// Every handler (OnClick, OnMouseDown, ...) runs through the event guard of Classes.h, and
// so does every virtual handler called from a Qt event, so no exception reaches Qt.

#include "framework/Classes.h"
#include "framework/Colors.h"
#include "framework/Font.h"
#include "framework/Types.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <memory>

class TCanvas;
class TPopupMenu;
class TWinControl;
class TForm;
class QKeyEvent;
class QMouseEvent;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

enum TShiftStateItem : unsigned {
    ssShift = 1u << 0,
    ssAlt = 1u << 1,
    ssCtrl = 1u << 2,
    ssLeft = 1u << 3,
    ssRight = 1u << 4,
    ssMiddle = 1u << 5,
    ssDouble = 1u << 6,
};

// A set of TShiftStateItem values: the modifier keys and mouse buttons held.
class TShiftState {
public:
    constexpr TShiftState() = default;
    constexpr TShiftState(TShiftStateItem item) : FBits(item) {}
    constexpr TShiftState(std::initializer_list<TShiftStateItem> items) {
        for (TShiftStateItem i : items)
            FBits |= i;
    }
    constexpr bool Contains(TShiftStateItem item) const { return (FBits & item) != 0; }
    constexpr bool IsEmpty() const { return FBits == 0; }
    constexpr TShiftState& Include(TShiftStateItem item) {
        FBits |= item;
        return *this;
    }
    constexpr TShiftState& Exclude(TShiftStateItem item) {
        FBits &= ~static_cast<unsigned>(item);
        return *this;
    }
    constexpr unsigned Bits() const { return FBits; }
    friend constexpr bool operator==(const TShiftState&, const TShiftState&) = default;
    friend constexpr TShiftState operator|(TShiftState a, TShiftState b) {
        TShiftState s;
        s.FBits = a.FBits | b.FBits;
        return s;
    }

private:
    unsigned FBits = 0;
};

// The shift state of Qt modifier and button flags.
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = {});
// The Qt modifier bits of a shift state (the keyboard part only).
Qt::KeyboardModifiers ModifiersOf(TShiftState shift);

// Key codes, named as the platform names them; the values are Qt key codes.
constexpr int VK_BACK = Qt::Key_Backspace;
constexpr int VK_TAB = Qt::Key_Tab;
constexpr int VK_RETURN = Qt::Key_Return;
constexpr int VK_SHIFT = Qt::Key_Shift;
constexpr int VK_CONTROL = Qt::Key_Control;
constexpr int VK_MENU = Qt::Key_Alt;
constexpr int VK_ESCAPE = Qt::Key_Escape;
constexpr int VK_SPACE = Qt::Key_Space;
constexpr int VK_PRIOR = Qt::Key_PageUp;
constexpr int VK_NEXT = Qt::Key_PageDown;
constexpr int VK_END = Qt::Key_End;
constexpr int VK_HOME = Qt::Key_Home;
constexpr int VK_LEFT = Qt::Key_Left;
constexpr int VK_UP = Qt::Key_Up;
constexpr int VK_RIGHT = Qt::Key_Right;
constexpr int VK_DOWN = Qt::Key_Down;
constexpr int VK_INSERT = Qt::Key_Insert;
constexpr int VK_DELETE = Qt::Key_Delete;
constexpr int VK_F1 = Qt::Key_F1;
constexpr int VK_F4 = Qt::Key_F4;
constexpr int VK_F10 = Qt::Key_F10;

// Mouse pointer shapes, with the platform's numbers.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
Qt::CursorShape CursorShapeOf(TCursor cursor);

// What a control does by itself (a set of the cs values).
using TControlStyle = unsigned;
constexpr TControlStyle csAcceptsControls = 1u << 0;
constexpr TControlStyle csCaptureMouse = 1u << 1;
// A left press and release inside the control raise Click.
constexpr TControlStyle csClickEvents = 1u << 2;
// A double click raises DblClick; without it, it is a second press.
constexpr TControlStyle csDoubleClicks = 1u << 3;
// The control paints every pixel itself: its background is never filled.
constexpr TControlStyle csOpaque = 1u << 4;

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, int& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, QChar& Key)>;

// Hint texts: "short|long"; without a bar both are the whole text.
QString GetShortHint(const QString& hint);
QString GetLongHint(const QString& hint);

class TControl : public QWidget {
    Q_OBJECT
public:
    // A control created with a form as parent lands in the form's client area.
    explicit TControl(QWidget* parent = nullptr);
    ~TControl() override;

    QString Name() const { return objectName(); }
    void SetName(const QString& name) { setObjectName(name); }
    long long Tag = 0;

    // The parent control (a form for controls on its client area), or nullptr.
    TWinControl* Parent() const;
    // Moves the control into `parent` (its client area for a form); nullptr takes it out.
    virtual void SetParent(TWinControl* parent);
    // The form the control lies on (the form itself for a form), or nullptr.
    TForm* ParentForm() const;

    // --- Bounds, in the parent's client coordinates (a form: on the screen).
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int value);
    void SetTop(int value);
    void SetWidth(int value);
    void SetHeight(int value);
    // Every bounds change ends here. Override to adjust the requested size (a skinned
    // control fits it to its picture) and call the base with the adjusted values.
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const;
    void SetBoundsRect(const TRect& rect);
    // The drawing area in the control's own coordinates.
    virtual TRect ClientRect() const;
    virtual int ClientWidth() const { return ClientRect().Width(); }
    virtual int ClientHeight() const { return ClientRect().Height(); }
    TPoint ClientOrigin() const { return ClientToScreen(TPoint(0, 0)); }
    TPoint ClientToScreen(const TPoint& point) const;
    TPoint ScreenToClient(const TPoint& point) const;

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign align);

    // The control's own visibility flag (a hidden parent hides it without changing it).
    bool Visible() const;
    void SetVisible(bool visible) { setVisible(visible); }
    void Show() { setVisible(true); }
    void Hide() { setVisible(false); }
    // Visible here and in every parent up to the window.
    bool Showing() const { return isVisible(); }
    void setVisible(bool visible) override;

    // The control's own enabled flag.
    bool Enabled() const;
    void SetEnabled(bool enabled);

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle style);

    // --- Look
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    // Changing the font's attributes takes effect at once (and clears ParentFont).
    TFont* Font() { return &FFont; }
    const TFont* Font() const { return &FFont; }
    void SetFont(const TFont& font) { FFont.Assign(font); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor cursor);

    // Caption and Text are the same string.
    virtual QString Text() const { return FText; }
    virtual void SetText(const QString& text);
    QString Caption() const { return Text(); }
    void SetCaption(const QString& caption) { SetText(caption); }

    // --- Hints
    QString Hint() const { return FHint; }
    void SetHint(const QString& hint) { FHint = hint; }
    // The flag as it applies: the parent's while ParentShowHint is set.
    bool ShowHint() const;
    // Also clears ParentShowHint.
    void SetShowHint(bool value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool value) { FParentShowHint = value; }

    // Opened on a right click when its AutoPopup is set; cleared when the menu dies.
    TPopupMenu* PopupMenu() const;
    void SetPopupMenu(TPopupMenu* menu);

    // --- Focus and tab order
    int TabOrder() const { return FTabOrder; }
    void SetTabOrder(int order);
    bool TabStop() const { return FTabStop; }
    virtual void SetTabStop(bool value);
    virtual bool CanFocus() const;
    bool Focused() const { return hasFocus(); }
    virtual void SetFocus();

    // --- Painting
    void Invalidate() { update(); }
    void Repaint() { repaint(); }
    void Update() { repaint(); }
    void Refresh() { repaint(); }
    void BringToFront() { raise(); }
    void SendToBack() { lower(); }

    // Runs a left click the way a user's click would.
    virtual void Click();

    // Key dispatch the way a key press reaches the control: the form's shortcuts, the
    // form's key preview, then the control's own KeyDown and KeyPress. True when the key
    // was consumed. Controls built around an inner Qt widget call these from its events.
    // `pressedChar` receives the character KeyPress left (null when none was typed).
    bool DispatchKeyDown(QKeyEvent* event, QChar* pressedChar = nullptr);
    bool DispatchKeyUp(QKeyEvent* event);

    // --- Events
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TNotifyEvent OnResize;

    // The mouse arrived over the control or left it (one control is under the mouse at a
    // time: moving onto a child leaves the parent). Called by the application.
    virtual void MouseEnter();
    virtual void MouseLeave();
    // Offered to every control of a form for Return, Escape (and Tab) that nobody
    // consumed; a default or cancel button answers true after clicking itself.
    virtual bool DialogKey(int key, TShiftState shift);
    // Offered to every control of a form for an accelerator character (Alt+letter, or a
    // letter while the focused control takes no text); true when it was used.
    virtual bool DialogChar(QChar ch);

protected:
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void DblClick();
    virtual void KeyDown(int& Key, TShiftState Shift);
    virtual void KeyPress(QChar& Key);
    virtual void KeyUp(int& Key, TShiftState Shift);
    virtual void DoEnter();
    virtual void DoExit();
    // After every size change: OnResize.
    virtual void Resize();
    // After the size changed, before Resize (a container lays out its children here).
    virtual void SizeChanged() {}
    // True when the control uses this key itself, so the form does not offer it to its
    // buttons as a dialog key (a memo wants Return).
    virtual bool WantsKey(int key, TShiftState shift) const;
    // Right click: opens PopupMenu at the screen point; true when a menu was shown.
    virtual bool DoContextPopup(const TPoint& screenPoint);

    // Notifications of state changes (the platform's CM_ messages).
    virtual void TextChanged() { update(); }
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void EnabledChanged() { update(); }
    virtual void VisibleChanged() {}
    virtual void ParentColorChanged();
    virtual void ParentFontChanged();

    // The QWidget side: every input event goes through the guard to the handlers above.
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    // Mouse events of this control (or of the client area that stands for it), in its
    // client coordinates.
    bool HandleMouseEvent(QMouseEvent* event);
    // Applies Color to the widget's background (filled by Qt unless csOpaque).
    virtual void UpdateBackground();
    // The parent's realignment after a change of this control's bounds or visibility.
    void RequestParentAlign();

    friend class TWinControl;
    friend class TApplication;

private:
    void ApplyFont();
    void FontAttributesChanged();
    void NotifyChildren(void (TControl::*notification)());
    bool DispatchKeys(QKeyEvent* event, QChar* pressedChar);

    TAlign FAlign = alNone;
    bool FVisible = true;
    TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csDoubleClicks;
    TColor FColor = clBtnFace;
    bool FParentColor = false;
    TFont FFont;
    bool FParentFont = true;
    bool FApplyingParentFont = false;
    TCursor FCursor = crDefault;
    QString FText;
    QString FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    QPointer<QObject> FPopupMenu;
    int FTabOrder = -1;
    bool FTabStop = false;
    bool FLeftPressed = false;
    bool FEntered = false;
    QSize FNotifiedSize{-1, -1};
};

// A control that holds child controls and can take the focus.
class TWinControl : public TControl {
    Q_OBJECT
public:
    explicit TWinControl(QWidget* parent = nullptr);
    ~TWinControl() override;

    // The widget child controls live in: the control itself, a form's client area.
    virtual QWidget* ChildContainer() { return this; }

    // The direct child controls in creation order.
    int ControlCount() const;
    TControl* Controls(int index) const;
    QList<TControl*> ControlList() const;
    // Every control below this one, depth first (each control, then its children).
    QList<TControl*> AllControls() const;

    // Lays out the aligned children again.
    void Realign() { RealignFor(nullptr); }
    // While disabled (counted), bounds changes do not realign; enabling realigns once.
    void DisableAlign();
    void EnableAlign();

    // The area aligned children share (the client rectangle by default).
    virtual void AdjustClientRect(TRect& rect);

    void SetTabStop(bool value) override;
    // Visible and enabled, here and in every parent.
    bool CanFocus() const override;

protected:
    virtual void AlignControls(TRect rect);
    void SizeChanged() override;
    // A child's bounds or visibility changed: realigns when it is aligned.
    virtual void ControlChanged(TControl* child);

private:
    friend class TControl;
    // Realigns after `changed` moved: among equals on its edge it goes first.
    void RealignFor(TControl* changed);

    TControl* FAlignChanged = nullptr;
    int FAlignDisabled = 0;
    bool FAligning = false;
    // A realign was asked for while the controls were being aligned.
    bool FRealignAgain = false;
    bool FAlignPending = false;
};

// A windowed control that paints itself: Paint draws on Canvas. The canvas keeps its pen,
// brush and font from one paint to the next (its font starts as the control's font); it
// draws only while Paint runs and can measure text at any time.
class TCustomControl : public TWinControl {
    Q_OBJECT
public:
    explicit TCustomControl(QWidget* parent = nullptr);
    ~TCustomControl() override;

    // The canvas to draw on; it paints on the widget while Paint runs.
    TCanvas* Canvas() const { return FCanvas.get(); }

protected:
    virtual void Paint();
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<TCanvas> FCanvas;
};

// A control without a window of its own: no focus, no background.
class TGraphicControl : public TControl {
    Q_OBJECT
public:
    explicit TGraphicControl(QWidget* parent = nullptr);
    ~TGraphicControl() override;

    TCanvas* Canvas() const { return FCanvas.get(); }

protected:
    virtual void Paint();
    void paintEvent(QPaintEvent* event) override;
    void UpdateBackground() override;

private:
    std::unique_ptr<TCanvas> FCanvas;
};

// The nearest control at or above a widget (inner Qt widgets map to their control).
TControl* ControlOfWidget(QWidget* widget);
// The form a control lies on, or nullptr.
TForm* GetParentForm(const TControl* control);
