#pragma once
// The description records of a skin: one record per frame object ([SKINOBJECTS]) and per
// control style ([SKINCONTROLS]), each reading the ini section named by its IDName. Fields
// are named after their keys; the groups of fields several records share (a font, the
// corner points, the morph settings, ...) come from bsSkinFieldGroups.h. Each record's
// ExchangeFields gives the reading order.

#include "skin/bsSkinFieldGroups.h"
#include "skin/bsSkinValues.h"

#include <QString>
#include <memory>

class TCustomIniFile;
class TbsIniFields;

// Common root of both record families: a name and the two virtual operations.
class TbsSkinRecord {
public:
    explicit TbsSkinRecord(const QString& idName) : IDName(idName) {}
    virtual ~TbsSkinRecord() = default;
    TbsSkinRecord(const TbsSkinRecord&) = delete;
    TbsSkinRecord& operator=(const TbsSkinRecord&) = delete;

    // Reads the section named IDName; missing keys give their defaults.
    virtual void LoadFromIni(TCustomIniFile& ini);
    // Erases the section, then writes every key back in reading order.
    virtual void SaveToIni(TCustomIniFile& ini);

    QString IDName;

protected:
    // Each class reads or writes its parent's keys first, then its own.
    virtual void ExchangeFields(TbsIniFields& fields) = 0;
};

// ---------------------------------------------------------------- control records

class TbsDataSkinControl : public TbsSkinRecord {
public:
    using TbsSkinRecord::TbsSkinRecord;
    int PictureIndex = -1;
    int MaskPictureIndex = -1;
    TRect SkinRect;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinCustomControl : public TbsDataSkinControl, public TbsCornerPoints {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    TRect ClientRect;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinPanelControl : public TbsDataSkinCustomControl, public TbsFontFields {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    int BGPictureIndex = -1;
    TRect CaptionRect;
    TbsAlignment Alignment = TbsAlignment::taCenter;
    TRect CheckImageRect, UnCheckImageRect;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinExPanelControl : public TbsDataSkinCustomControl, public TbsFontFields {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    TRect RollHSkinRect, RollVSkinRect;
    int RollLeftOffset = 0, RollRightOffset = 0, RollTopOffset = 0, RollBottomOffset = 0;
    TRect RollVCaptionRect, RollHCaptionRect;
    TRect CloseButtonRect, CloseButtonActiveRect, CloseButtonDownRect;
    TRect HRollButtonRect, HRollButtonActiveRect, HRollButtonDownRect;
    TRect HRestoreButtonRect, HRestoreButtonActiveRect, HRestoreButtonDownRect;
    TRect VRollButtonRect, VRollButtonActiveRect, VRollButtonDownRect;
    TRect VRestoreButtonRect, VRestoreButtonActiveRect, VRestoreButtonDownRect;
    TRect CaptionRect;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinButtonControl : public TbsDataSkinCustomControl,
                                 public TbsFontFields,
                                 public TbsMorphFields {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    TColor ActiveFontColor = 0, DownFontColor = 0, DisabledFontColor = 0;
    TRect ActiveSkinRect, DownSkinRect, DisabledSkinRect;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinMenuButtonControl : public TbsDataSkinButtonControl {
public:
    using TbsDataSkinButtonControl::TbsDataSkinButtonControl;
    TRect TrackButtonRect;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinCheckRadioControl : public TbsDataSkinCustomControl,
                                     public TbsFontFields,
                                     public TbsMorphFields {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    TColor ActiveFontColor = 0, UnEnabledFontColor = 0, FrameFontColor = 0;
    TRect ActiveSkinRect, CheckImageArea, TextArea, CheckImageRect, UnCheckImageRect;
    TRect ActiveCheckImageRect, ActiveUnCheckImageRect;
    TRect UnEnabledCheckImageRect, UnEnabledUnCheckImageRect;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinGaugeControl : public TbsDataSkinCustomControl, public TbsFontFields {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    TRect ProgressArea, ProgressRect;
    int BeginOffset = 0, EndOffset = 0;
    bool Vertical = false;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinSplitterControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
};

class TbsDataSkinTrackBarControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    TRect TrackArea, ButtonRect, ActiveButtonRect;
    bool Vertical = false;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinLabelControl : public TbsDataSkinCustomControl, public TbsFontFields {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinStdLabelControl : public TbsDataSkinControl, public TbsFontFields {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    TColor ActiveFontColor = 16711680;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

// Its buttons are cut from rectangles only; the corner points and client rectangle of
// the file are not used and read as zero.
class TbsDataSkinUpDownControl : public TbsDataSkinCustomControl, public TbsUpDownButtonRects {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    void LoadFromIni(TCustomIniFile& ini) override;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinGridControl : public TbsDataSkinControl, public TbsFontFields {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    TRect FixedCellRect, SelectCellRect, FocusCellRect;
    int FixedCellLeftOffset = 0, FixedCellRightOffset = 0;
    TRect FixedCellTextRect;
    int CellLeftOffset = 0, CellRightOffset = 0;
    TRect CellTextRect;
    TColor LinesColor = 0, BGColor = 0;
    TColor SelectFontColor = 0, FocusFontColor = 0;
    QString FixedFontName = QStringLiteral("Arial");
    int FixedFontHeight = 14;
    TFontStyles FixedFontStyle;
    TColor FixedFontColor = 0;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinTabControl : public TbsDataSkinControl,
                              public TbsFontFields,
                              public TbsCornerPoints {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    TRect TabRect, ActiveTabRect, FocusTabRect, MouseInTabRect, ClientRect;
    int BGPictureIndex = -1;
    int TabLeftOffset = 0, TabRightOffset = 0;
    TRect TabsBGRect;
    TColor ActiveFontColor = 0, FocusFontColor = 0, MouseInFontColor = 0;
    QString UpDown; // name of an "updown" record

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinMainMenuBar : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    TRect ItemsRect;
    // Names of records in [SKINOBJECTS].
    QString MenuBarItem, CloseButton, MinButton, MaxButton, SysMenuButton;
    TColor TrackMarkColor = 0, TrackMarkActiveColor = 0;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinControlBar : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    TRect ItemRect;
    int BGPictureIndex = -1;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinEditControl : public TbsDataSkinCustomControl,
                               public TbsFontFields,
                               public TbsButtonStateRects {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    TRect ActiveSkinRect;
    TColor DisabledFontColor = 0, ActiveFontColor = 0;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinMemoControl : public TbsDataSkinEditControl {
public:
    using TbsDataSkinEditControl::TbsDataSkinEditControl;
    TColor BGColor = 0, ActiveBGColor = 0;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinListBox : public TbsDataSkinCustomControl,
                           public TbsFontFields,
                           public TbsUpDownButtonRects {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    TRect ItemRect, ActiveItemRect, FocusItemRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect ItemTextRect;
    TColor ActiveFontColor = 0, FocusFontColor = 0;
    TRect CaptionRect;
    QString CaptionFontName = QStringLiteral("Arial");
    int CaptionFontHeight = 14;
    TFontStyles CaptionFontStyle;
    TColor CaptionFontColor = 0;
    TRect CheckButtonRect, ActiveCheckButtonRect, DownCheckButtonRect;
    // Names of "scrollbar" records.
    QString VScrollBarName = QStringLiteral("vscrollbar");
    QString HScrollBarName = QStringLiteral("hscrollbar");
    QString BothHScrollBarName = QStringLiteral("bothhscrollbar");

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinCheckListBox : public TbsDataSkinListBox {
public:
    using TbsDataSkinListBox::TbsDataSkinListBox;
    TRect ItemCheckRect, CheckImageRect, UnCheckImageRect;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinComboBox : public TbsDataSkinCustomControl,
                            public TbsFontFields,
                            public TbsButtonStateRects {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    TRect ItemRect, FocusItemRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect ItemTextRect;
    TColor FocusFontColor = 0;
    QString ListBoxName; // name of a "listbox" record

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinScrollBarControl : public TbsDataSkinCustomControl, public TbsUpDownButtonRects {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    TRect TrackArea;
    TRect ThumbRect, ActiveThumbRect, DownThumbRect;
    int ThumbOffset1 = 0, ThumbOffset2 = 0;
    TRect GlyphRect, ActiveGlyphRect, DownGlyphRect;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinSpinEditControl : public TbsDataSkinCustomControl,
                                   public TbsFontFields,
                                   public TbsUpDownButtonRects {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    TRect ActiveSkinRect;
    TColor ActiveFontColor = 0, DisabledFontColor = 0;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinScrollBoxControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    int BGPictureIndex = -1;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinTreeView : public TbsDataSkinControl, public TbsFontFields {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    TColor BGColor = 0;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinBevel : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    TColor LightColor = 0, DarkColor = 0;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinSlider : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    TColor BGColor = 0;
    TRect HRulerRect, HThumbRect, VRulerRect, VThumbRect;
    int EdgeSize = 0;
    TColor PointsColor = 0;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinListView : public TbsDataSkinControl, public TbsFontFields {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    TColor BGColor = 0;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinRichEdit : public TbsDataSkinControl, public TbsFontFields {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    TColor BGColor = 0;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

// ---------------------------------------------------------------- frame-object records

class TbsDataSkinObject : public TbsSkinRecord, public TbsMorphFields {
public:
    using TbsSkinRecord::TbsSkinRecord;
    QString Hint;
    int ActivePictureIndex = -1;
    bool SkinRectInAPicture = false;
    TRect SkinRect, ActiveSkinRect;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

// A place on the frame with only a rectangle; every other key keeps its initial value.
class TbsDataUserObject : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinButton : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    TRect DownRect;
    TRect DisableSkinRect; // key "disableskinrsect"

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinStdButton : public TbsDataSkinButton {
public:
    using TbsDataSkinButton::TbsDataSkinButton;
    TbsStdCommand Command = TbsStdCommand::cmDefault;
    TRect RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinMainMenuBarButton : public TbsDataSkinStdButton {
public:
    using TbsDataSkinStdButton::TbsDataSkinStdButton;
};

// An animation never morphs: Morphing reads as false whatever the file says.
class TbsDataSkinAnimate : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    void LoadFromIni(TCustomIniFile& ini) override;
    int CountFrames = 1;
    bool Cycle = false;
    bool ButtonStyle = false;
    int TimerInterval = 50;
    TbsStdCommand Command = TbsStdCommand::cmDefault;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinMenuItem : public TbsDataSkinObject, public TbsFontFields {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect DividerRect;
    int DividerLeftOffset = 0, DividerRightOffset = 0;
    TRect TextRect;
    TColor ActiveFontColor = 0, UnEnabledFontColor = 0;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinMainMenuItem : public TbsDataSkinObject, public TbsFontFields {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect DownRect, TextRect;
    TColor ActiveFontColor = 0, DownFontColor = 0, UnEnabledFontColor = 0;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

class TbsDataSkinMainMenuBarItem : public TbsDataSkinMainMenuItem {
public:
    using TbsDataSkinMainMenuItem::TbsDataSkinMainMenuItem;
};

class TbsDataSkinCaption : public TbsDataSkinObject, public TbsFontFields {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    TRect TextRect;
    TColor ActiveFontColor = 0;
    TbsAlignment Alignment = TbsAlignment::taCenter;
    bool Shadow = false;
    TColor ShadowColor = 0, ActiveShadowColor = 0;
    TRect FrameRect, ActiveFrameRect, FrameTextRect;
    int FrameLeftOffset = 0, FrameRightOffset = 0;

protected:
    void ExchangeFields(TbsIniFields& fields) override;
};

// ---------------------------------------------------------------- popup and hint windows

// A window's frame read from a section of its own: the window picture and mask, the
// corner points, what `T::ExchangeInner` adds, and the stretched sides;
// WindowPictureIndex -1 means no skin.
template <class T> class TbsDataSkinWindow : public TbsCornerPoints, public TbsStretchSides {
public:
    void LoadFromIni(TCustomIniFile& ini, const QString& section);
    void SaveToIni(TCustomIniFile& ini, const QString& section);

    int WindowPictureIndex = -1;
    int MaskPictureIndex = -1;

private:
    void ExchangeFields(TbsIniFields& fields);
};

// The frame of popup menus ([POPUPWINDOW]).
class TbsDataSkinPopupWindow : public TbsDataSkinWindow<TbsDataSkinPopupWindow> {
public:
    TRect ItemsRect;
    TColor ScrollMarkerColor = 0, ScrollMarkerActiveColor = 0;

private:
    friend class TbsDataSkinWindow<TbsDataSkinPopupWindow>;
    void ExchangeInner(TbsIniFields& fields);
};

// The frame and font of hints ([HINTWINDOW]).
class TbsDataSkinHintWindow : public TbsDataSkinWindow<TbsDataSkinHintWindow>,
                              public TbsFontFields {
public:
    TRect ClientRect;

private:
    friend class TbsDataSkinWindow<TbsDataSkinHintWindow>;
    void ExchangeInner(TbsIniFields& fields);
};

// ---------------------------------------------------------------- record factories

// The record class of a kind keyword (compared exactly, case included), named `idName`;
// null for a kind that is not a keyword of that list.
std::unique_ptr<TbsDataSkinObject> CreateSkinObjectRecord(const QString& kind,
                                                          const QString& idName);
std::unique_ptr<TbsDataSkinControl> CreateSkinControlRecord(const QString& kind,
                                                            const QString& idName);
