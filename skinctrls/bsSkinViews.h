#pragma once
// The skinned tree and list views: the framework's views with the font and background of a
// "treeview" / "listview" record, no native scroll bars or border, and two external skinned
// bars kept in step with the view's own scroll state. The list view also paints its column
// header sections from a button record ("resizebutton").
//
// The bars are placed by the caller (usually aligned right and bottom in the view's parent);
// the view only shows, hides and ranges them, and scrolls when they move.

#include "skinctrls/bsSkinCtrls.h"

#include "framework/ComCtrls.h"

#include <QPointer>

// What both views share: the record lookup, the fonts and the bound bars.
template <class View> class TbsSkinViewBase : public View, public TbsSkinClient {
public:
    explicit TbsSkinViewBase(QWidget* parent, const QString& skinDataName);

    TbsSkinData* SkinData() const override { return FSkinData.data(); }
    // Applies the skin when the data holds one; nullptr only forgets the reference.
    void SetSkinData(TbsSkinData* value);
    QString SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const QString& value) { FSkinDataName = value; }
    int SkinIndex() const { return FSkinIndex; }
    TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(const TFont& font) { FDefaultFont.Assign(font); }
    TColor NoSkinColor() const { return FNoSkinColor; }
    void SetNoSkinColor(TColor value) { FNoSkinColor = value; }
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool value) { FUseSkinFont = value; }

    // Not owned; cleared when the bar is destroyed. Binding enables and hides the bar and
    // takes over its OnChange.
    TbsSkinScrollBar* VScrollBar() const { return FVScrollBar.data(); }
    void SetVScrollBar(TbsSkinScrollBar* bar);
    TbsSkinScrollBar* HScrollBar() const { return FHScrollBar.data(); }
    void SetHScrollBar(TbsSkinScrollBar* bar);
    // Set while SyncScrollBars shows or hides a bar or realigns the parent.
    bool SyncingBars() const { return FSyncingBars; }

    void ForgetSkin() override { FSkinIndex = -1; }
    void ApplySkin() override;
    // Puts the view's scroll state into the bound bars.
    virtual void SyncScrollBars() = 0;

protected:
    ~TbsSkinViewBase() override;
    // The record's font and colour; false when the named record is of another kind.
    virtual bool ApplyRecord(const TbsDataSkinControl& record) = 0;
    virtual void AfterApply() {}
    virtual void BarMoved(TbsSkinScrollBar* bar, bool vertical) = 0;
    // Shows or hides a bar under the SyncingBars guard; true when that changed it.
    bool SetBarVisible(TbsSkinScrollBar* bar, bool visible);
    // With both bars bound the horizontal one leaves room for the corner; an aligned view
    // has its parent lay the bars out again when one appeared or went.
    void FinishSync(bool visibilityChanged);
    void AssignRecordFont(const QString& name, int height, const TFontStyles& style, TColor color,
                          TColor background);

    void ScrollChanged() override {
        Guarded([this] { SyncScrollBars(); });
    }
    void VisibleChanged() override;
    void SizeChanged() override;

private:
    void BindBar(QPointer<TbsSkinScrollBar>& slot, TbsSkinScrollBar* bar, bool vertical);

    QPointer<TbsSkinData> FSkinData;
    QString FSkinDataName;
    int FSkinIndex = -1;
    TFont FDefaultFont;
    TColor FNoSkinColor = clWindow;
    bool FUseSkinFont = true;
    QPointer<TbsSkinScrollBar> FVScrollBar;
    QPointer<TbsSkinScrollBar> FHScrollBar;
    bool FSyncingBars = false;
};

class TbsSkinCustomTreeView : public TbsSkinViewBase<TCustomTreeView> {
    Q_OBJECT
public:
    explicit TbsSkinCustomTreeView(QWidget* parent = nullptr);
    ~TbsSkinCustomTreeView() override;

    void SyncScrollBars() override;

protected:
    bool ApplyRecord(const TbsDataSkinControl& record) override;
    void AfterApply() override;
    void BarMoved(TbsSkinScrollBar* bar, bool vertical) override;
};

class TbsSkinCustomListView : public TbsSkinViewBase<TCustomListView> {
    Q_OBJECT
public:
    explicit TbsSkinCustomListView(QWidget* parent = nullptr);
    ~TbsSkinCustomListView() override;

    // The button record of the column header sections, read again on every header paint.
    QString HeaderSkinDataName() const { return FHeaderSkinDataName; }
    void SetHeaderSkinDataName(const QString& value);
    // The section under the pressed left button (-1: none), and whether the press was on a
    // section rather than on a divider.
    int PressedSection() const { return FPressedSection; }
    bool HeaderPressed() const { return FHeaderPressed; }
    int LastVBarPos() const { return FLastVBarPos; }
    int LastHBarPos() const { return FLastHBarPos; }

    void SetViewStyle(TViewStyle value) override;
    void SyncScrollBars() override;

    // The header as one paint draws it (header-sized), for tests and the gallery.
    TBitmap RenderHeader();

protected:
    bool ApplyRecord(const TbsDataSkinControl& record) override;
    void BarMoved(TbsSkinScrollBar* bar, bool vertical) override;
    bool PaintHeader(QPaintEvent* event) override;
    void HeaderMouse(bool down, const TPoint& point) override;

private:
    // The header record's values for one paint; Picture is null for the default look.
    struct THeaderLook {
        const TBitmap* Picture = nullptr;
        TRect SkinRect, ClientRect, ActiveSkinRect, DownSkinRect;
        TPoint LTPoint, RTPoint, LBPoint, RBPoint;
        TColor FontColor = clBtnText, DownFontColor = clBtnText;
    };
    THeaderLook FetchHeaderLook() const;
    void DrawHeader(TCanvas& canvas);
    void DrawSection(TBitmap& bitmap, const THeaderLook& look, int column, bool pressed);
    void DrawSectionContent(TCanvas& canvas, const TRect& area, int column, TColor color);
    void DrawHeaderRest(TBitmap& bitmap, const THeaderLook& look);
    void SyncIconStyle(TbsSkinScrollBar* v, TbsSkinScrollBar* h, bool& changed);
    void SyncListStyle(TbsSkinScrollBar* v, TbsSkinScrollBar* h, bool& changed);
    void SyncReportStyle(TbsSkinScrollBar* v, TbsSkinScrollBar* h, bool& changed);
    int FirstItemHeight() const;

    QString FHeaderSkinDataName = QStringLiteral("resizebutton");
    int FPressedSection = -1;
    bool FHeaderPressed = false;
    int FLastVBarPos = 0;
    int FLastHBarPos = 0;
    bool FScrollingFromBar = false;
};

class TbsSkinTreeView : public TbsSkinCustomTreeView {
    Q_OBJECT
public:
    using TbsSkinCustomTreeView::TbsSkinCustomTreeView;
};

class TbsSkinListView : public TbsSkinCustomListView {
    Q_OBJECT
public:
    using TbsSkinCustomListView::TbsSkinCustomListView;
};
