#pragma once
// The skinned memos. The framework's memo keeps the native editing; these take their
// fonts and colours from a "memo" record and scroll through external skinned bars.
//   TbsSkinMemo2  no frame of its own; a vertical and a horizontal external bar, kept in
//                 step with the memo both ways
//   TbsSkinMemo   a skinned frame (or the whole picture behind the text) and one external
//                 vertical bar; a software read-only lock

#include "skinctrls/bsSkinCtrls.h"
#include "skinctrls/bsSkinEditMenu.h"

#include "framework/StdCtrls.h"

#include <QPointer>
#include <array>

// What both memos share: the record's fonts and colours, hover and focus colours, the
// context menu and the bound bars' references.
class TbsSkinMemoBase : public TMemo, public TbsSkinClient {
    Q_OBJECT
public:
    explicit TbsSkinMemoBase(QWidget* parent = nullptr);
    ~TbsSkinMemoBase() override;

    TbsSkinData* SkinData() const override { return FSkinData.data(); }
    void SetSkinData(TbsSkinData* value);
    QString SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const QString& value) { FSkinDataName = value; }
    int SkinIndex() const { return FSkinIndex; }
    TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(const TFont& font);
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool value) { FUseSkinFont = value; }
    // What the text stands on: the record's hover-and-focus and normal backgrounds, or the
    // memo's colour without a record.
    std::array<TColor, 2> Backgrounds() const {
        return HasRecord() ? std::array<TColor, 2>{FActiveBGColor, FBGColor}
                           : std::array<TColor, 2>{Color(), Color()};
    }

    // Not owned; cleared when the bar is destroyed. Binding takes over the bar's OnChange.
    TbsSkinScrollBar* VScrollBar() const { return FVScrollBar.data(); }
    void SetVScrollBar(TbsSkinScrollBar* bar);

    bool MouseInside() const { return FMouseInside; }
    TbsEditPopupMenu* EditMenu() const { return FEditMenu.data(); }
    virtual TbsEditCommands EditCommands();

    // Puts the memo's scroll state into the bound bars.
    virtual void SyncScrollBars() = 0;

    void ForgetSkin() override;
    void ApplySkin() override;
    void MouseEnter() override;
    void MouseLeave() override;

protected:
    void FetchSkinRecord();
    bool HasRecord() const { return FSkinIndex != -1; }
    // Normal or active colours for the hover and focus state.
    void UpdateColors();
    // Binds `bar` into `slot`: range cleared, its OnChange scrolls the memo.
    void BindBar(QPointer<TbsSkinScrollBar>& slot, TbsSkinScrollBar* bar, bool vertical);
    virtual void BarScrolled(TbsSkinScrollBar* bar, bool vertical);

    void Change() override;
    void Scrolled() override;
    bool DoMouseWheel(int delta, TShiftState shift) override;
    void SizeChanged() override;
    void EnabledChanged() override;
    void DoEnter() override;
    void DoExit() override;
    bool DoContextPopup(const TPoint& screenPoint) override;

    TbsSkinGeometry FGeometry;
    QString FFontName;
    int FFontHeight = 14;
    TFontStyles FFontStyle;
    TColor FFontColor = clWindowText, FActiveFontColor = clWindowText;
    TColor FBGColor = clWindow, FActiveBGColor = clWindow;
    TColor FDisabledFontColor = clGrayText;
    TRect FActiveSkinRect;

private:
    QPointer<TbsSkinData> FSkinData;
    QString FSkinDataName = QStringLiteral("memo");
    int FSkinIndex = -1;
    TFont FDefaultFont;
    bool FUseSkinFont = true;
    bool FMouseInside = false;
    QPointer<TbsSkinScrollBar> FVScrollBar;
    QPointer<TbsEditPopupMenu> FEditMenu;
};

class TbsSkinMemo2 : public TbsSkinMemoBase {
    Q_OBJECT
public:
    explicit TbsSkinMemo2(QWidget* parent = nullptr);
    ~TbsSkinMemo2() override;

    TbsSkinScrollBar* HScrollBar() const { return FHScrollBar.data(); }
    void SetHScrollBar(TbsSkinScrollBar* bar);

    // Each bound bar gets the memo's range, page and position and is enabled while the
    // text does not fit; a disabled memo disables its bars.
    void SyncScrollBars() override;

private:
    QPointer<TbsSkinScrollBar> FHScrollBar;
};

class TbsSkinMemo : public TbsSkinMemoBase {
    Q_OBJECT
public:
    explicit TbsSkinMemo(QWidget* parent = nullptr);
    ~TbsSkinMemo() override;

    // On: the skin picture lies behind the whole memo and the text is drawn on it.
    bool BitMapBG() const { return FBitMapBG; }
    void SetBitMapBG(bool value);
    // A software lock like the skinned edit's.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value) { FReadOnly = value; }

    void SyncScrollBars() override;
    void ApplySkin() override;
    TbsEditCommands EditCommands() override;
    // The picture one paint puts under the editor.
    TBitmap RenderImage();

protected:
    void Paint() override;
    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void SizeChanged() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LayoutFrame();

    bool FBitMapBG = false;
    bool FReadOnly = false;
};
