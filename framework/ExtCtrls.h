#pragma once
// Picture, status bar and hint window controls.

#include "framework/Bitmap.h"
#include "framework/Controls.h"

#include <memory>
#include <vector>

// A picture on its parent. Without Stretch or Center the picture sits at the top-left
// corner; Transparent leaves the picture's transparent colour (its bottom-left pixel
// unless set) unpainted, so the parent shows through.
class TImage : public TGraphicControl {
    Q_OBJECT
public:
    explicit TImage(QWidget* parent = nullptr);
    ~TImage() override;

    // The picture; changing it repaints the image (assign through SetPicture, or call
    // PictureChanged after drawing on it).
    TBitmap* Picture() { return &FPicture; }
    void SetPicture(const TBitmap& picture);
    void PictureChanged();

    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);
    bool Center() const { return FCenter; }
    void SetCenter(bool value);
    // The control takes the picture's size whenever the picture changes.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);

    // Where the picture is drawn, in client coordinates.
    TRect DestRect() const;

protected:
    void Paint() override;

private:
    TBitmap FPicture;
    bool FTransparent = false;
    bool FStretch = false;
    bool FCenter = false;
    bool FAutoSize = false;
};

class TStatusBar;

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

// One part of a status bar.
class TStatusPanel {
public:
    explicit TStatusPanel(TStatusBar* owner) : FOwner(owner) {}

    QString Text() const { return FText; }
    void SetText(const QString& text);
    int Width() const { return FWidth; }
    void SetWidth(int width);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    TStatusPanelBevel Bevel() const { return FBevel; }
    void SetBevel(TStatusPanelBevel bevel);
    int Index() const;

private:
    void Changed();

    TStatusBar* FOwner;
    QString FText;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    TStatusPanelBevel FBevel = pbLowered;
};

class TStatusPanels {
public:
    explicit TStatusPanels(TStatusBar* owner) : FOwner(owner) {}

    int Count() const { return static_cast<int>(FItems.size()); }
    // Raises EListError for an index out of range.
    TStatusPanel* Items(int index) const;
    TStatusPanel* operator[](int index) const { return Items(index); }
    TStatusPanel* Add();
    void Delete(int index);
    void Clear();
    int IndexOf(const TStatusPanel* panel) const;

private:
    TStatusBar* FOwner;
    std::vector<std::unique_ptr<TStatusPanel>> FItems;
};

// A status bar along the bottom of its parent: panels side by side, separated by a small
// gap, each with a sunken frame; the last one runs to the right end. With SimplePanel set
// the bar shows SimpleText across its width instead.
class TStatusBar : public TCustomControl {
    Q_OBJECT
public:
    explicit TStatusBar(QWidget* parent = nullptr);
    ~TStatusBar() override;

    TStatusPanels* Panels() { return &FPanels; }
    bool SimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool value);
    QString SimpleText() const { return FSimpleText; }
    void SetSimpleText(const QString& text);
    // A grip in the right corner (drawn only while the form can be resized).
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool value);

    // The rectangle of panel `index` in client coordinates (empty when out of range).
    TRect PanelRect(int index) const;

protected:
    void Paint() override;

private:
    friend class TStatusPanel;
    void PaintPanel(const TRect& rect, const QString& text, TAlignment alignment,
                    TStatusPanelBevel bevel);
    bool GripShown() const;

    TStatusPanels FPanels;
    bool FSimplePanel = false;
    QString FSimpleText;
    bool FSizeGrip = true;
};

// The tooltip window: a top-most window that never takes the activation. The application
// shows its hints in one (see TApplication::HintWindowClass); other hint windows derive
// from it and override CalcHintRect, ActivateHint and Paint.
class THintWindow : public TCustomControl {
    Q_OBJECT
public:
    explicit THintWindow(QWidget* parent = nullptr);
    ~THintWindow() override;

    // The window size `hint` needs when it wraps at `maxWidth` (a rectangle at 0, 0).
    virtual TRect CalcHintRect(int maxWidth, const QString& hint);
    // Shows `hint` in a window of the given screen rectangle (moved back onto the
    // desktop where it would leave it), above every window, without taking the focus.
    virtual void ActivateHint(const TRect& rect, const QString& hint);
    // Hides the window without activating anything.
    virtual void HideHint();
    bool Active() const { return isVisible(); }

    // Draws a one-pixel frame and keeps the text inside it (on by default).
    bool Border() const { return FBorder; }
    void SetBorder(bool value);

protected:
    void Paint() override;

private:
    bool FBorder = true;
};
