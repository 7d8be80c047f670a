#pragma once
// The skinned single-line edits. The framework's edit keeps the native editing (caret,
// selection, undo, clipboard, input method); these classes draw around it.
//   TbsCustomEdit      the framework edit with a software read-only lock, see-through
//                      drawing and the six-command context menu
//   TbsSkinCustomEdit  + its whole window drawn from an "edit" record, the height from the
//                      skin and an optional button at its right end
//   TbsSkinEdit        the published face

#include "skinctrls/bsSkinCtrls.h"
#include "skinctrls/bsSkinEditMenu.h"

#include "framework/StdCtrls.h"

#include <QPointer>

class TbsCustomEdit : public TEdit {
    Q_OBJECT
public:
    explicit TbsCustomEdit(QWidget* parent = nullptr);
    ~TbsCustomEdit() override;

    // Drawn with a clear background: the parent shows through wherever the edit draws
    // nothing of its own.
    bool SeeThrough() const { return FSeeThrough; }
    void SetSeeThrough(bool value);
    // A software lock: typed characters, Delete, cut, paste, clear and undo are dropped;
    // the caret, selection and copying stay.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    // The context menu built last (owned; at most one).
    TbsEditPopupMenu* EditMenu() const { return FEditMenu.data(); }
    // The left button is held in the edit.
    bool Down() const { return FDown; }

    // The context menu's commands, honouring the lock.
    TbsEditCommands EditCommands();

protected:
    // True for an edit that paints its whole window itself, see-through or not.
    virtual bool DrawsOwnFace() const { return false; }
    void Paint() override;
    void UpdateBackground() override;
    void FontChanged() override;
    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoContextPopup(const TPoint& screenPoint) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool FSeeThrough = false;
    bool FReadOnly = false;
    bool FDown = false;
    QPointer<TbsEditPopupMenu> FEditMenu;
};

class TbsSkinCustomEdit : public TbsCustomEdit, public TbsSkinClient {
    Q_OBJECT
public:
    explicit TbsSkinCustomEdit(QWidget* parent = nullptr);
    ~TbsSkinCustomEdit() override;

    TbsSkinData* SkinData() const override { return FSkinData.data(); }
    void SetSkinData(TbsSkinData* value);
    QString SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const QString& value) { FSkinDataName = value; }
    int SkinIndex() const { return FSkinIndex; }
    TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(const TFont& font);
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool value) { FUseSkinFont = value; }
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int value);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int value);
    // A button at the right end; a click on it fires OnButtonClick.
    bool ButtonMode() const { return FButtonMode; }
    void SetButtonMode(bool value);

    void ForgetSkin() override;
    void ApplySkin() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void MouseEnter() override;
    void MouseLeave() override;

    // In window coordinates, from the last layout.
    TRect ButtonRect() const { return FButtonRect; }
    bool ButtonHot() const { return FButtonHot; }
    bool ButtonPressed() const { return FButtonPressed; }
    bool MouseInside() const { return FMouseInside; }
    // The picture one paint puts on the screen (without the editor's text).
    TBitmap RenderImage();

    TNotifyEvent OnButtonClick;

protected:
    bool DrawsOwnFace() const override { return true; }
    void Paint() override;
    void SizeChanged() override;
    void EnabledChanged() override;
    void DoEnter() override;
    void DoExit() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    // Looks the record up and copies its values (every layout and paint).
    void FetchSkinRecord();
    bool HasRecord() const { return FSkinIndex != -1; }
    // Button, editor placement.
    void Layout();
    void DrawDefaultImage(TBitmap& bitmap);
    void DrawSkinImage(TBitmap& bitmap);
    // The font colour for the enabled, focus and hover state.
    void UpdateFontColor();
    void SetButtonHot(bool value);

    QPointer<TbsSkinData> FSkinData;
    QString FSkinDataName = QStringLiteral("edit");
    int FSkinIndex = -1;
    TFont FDefaultFont;
    bool FUseSkinFont = true;
    int FDefaultWidth = 0;
    int FDefaultHeight = 20;
    bool FButtonMode = false;

    TbsSkinGeometry FGeometry;
    TRect FActiveSkinRect;
    int FLeftEnd = 0, FRightEnd = 0;
    QString FFontName;
    int FFontHeight = 14;
    TFontStyles FFontStyle;
    TColor FFontColor = clWindowText, FDisabledFontColor = clGrayText,
           FActiveFontColor = clWindowText;
    TRect FSkinButtonRect, FActiveButtonRect, FDownButtonRect, FUnEnabledButtonRect;

    bool FMouseInside = false;
    bool FButtonHot = false;
    bool FButtonPressed = false;
    TRect FButtonRect;
};

class TbsSkinEdit : public TbsSkinCustomEdit {
    Q_OBJECT
public:
    using TbsSkinCustomEdit::TbsSkinCustomEdit;
};
