#pragma once
// The frame objects of a skinned window: the interactive pieces the form frame makes from
// the skin's [SKINOBJECTS] records when a skin is applied.
//
//   TbsActiveSkinObject        hover, morph between normal and active look (on the button
//                              core, stepped by the frame's shared morph timer), events
//     TbsUserObject            leaves its drawing to the application (OnPaintEvent)
//     TbsSkinAnimateObject     plays a strip of frames on the 25 ms animation timer
//     TbsSkinCaptionObject     the window title; active while the form is active
//     TbsSkinButtonObject      down state, disabled look, an attached menu
//       TbsSkinStdButtonObject a window command (close, maximize, minimize, ...)
//
// Object rectangles are window coordinates. Pictures are borrowed from the skin data; the
// objects are freed before the skin's pictures are (on SkinChanging).

#include "skin/bsButtonCore.h"
#include "skin/bsEffects.h"
#include "skin/bsSkinData.h"

#include "framework/Controls.h"

#include <QPointer>

class TbsBusinessSkinForm;
class TCanvas;
class TMenuItem;

class TbsActiveSkinObject : public TbsButtonCore {
public:
    TbsActiveSkinObject(TbsBusinessSkinForm* form, TbsSkinData* data,
                        const TbsDataSkinObject* record);
    ~TbsActiveSkinObject() override;

    // Draws onto a border image of the frame (standalone false) or alone over the frame.
    virtual void Draw(TCanvas& canvas, bool standalone);
    virtual void DblClick() {}
    virtual void MouseDown(int x, int y, TMouseButton button);
    virtual void MouseUp(int x, int y, TMouseButton button);
    virtual void MouseMove(int x, int y);
    virtual void MouseEnter();
    virtual void MouseLeave();

    QString IDName;
    QString Hint;
    const TBitmap* NormalPicture = nullptr;
    const TBitmap* ActivePicture = nullptr; // none without the record's picture
    TRect SkinRect, ActiveSkinRect;
    bool InButtonsArea = false;
    TRect ObjectRect;
    bool Morphing = false;
    TbsMorphKind MorphKind = TbsMorphKind::mkDefault;
    bool Enabled = true;
    bool Visible = true;

protected:
    void RedrawFace() override;
    bool Morphs() const override { return Morphing; }
    // The frame steps every object's morph on its one timer.
    void StartMorphTimer() override;
    // The normal look: from the frame picture, or from the active picture in the buttons area.
    const TBitmap* NormalSource() const { return InButtonsArea ? ActivePicture : NormalPicture; }
    // The base drawing with the given normal and active rectangles.
    void DrawLooks(TCanvas& canvas, bool standalone, const TRect& normal, const TRect& active);
    void CopyLook(TCanvas& canvas, const TBitmap* source, const TRect& look) const;

    TbsBusinessSkinForm* FForm;
    TbsSkinData* FData;
};

class TbsUserObject : public TbsActiveSkinObject {
public:
    using TbsActiveSkinObject::TbsActiveSkinObject;
    void Draw(TCanvas& canvas, bool standalone) override;
};

class TbsSkinButtonObject : public TbsActiveSkinObject {
public:
    TbsSkinButtonObject(TbsBusinessSkinForm* form, TbsSkinData* data,
                        const TbsDataSkinButton* record);
    bool IsMorphing() const override;
    void Draw(TCanvas& canvas, bool standalone) override;
    void MouseDown(int x, int y, TMouseButton button) override;
    void MouseUp(int x, int y, TMouseButton button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    // Down: with morphing the active object jumps to its active face; coming up fades.
    void SetDown(bool value) override;

    TRect DownRect, DisabledRect;
    // The menu opened below the button (the system menu for its button); not owned.
    QPointer<TMenuItem> Menu;

protected:
    bool ShowsDownFace() const override { return Down() && !DownRect.IsEmpty(); }
    void OpenMenu();
};

class TbsSkinStdButtonObject : public TbsSkinButtonObject {
public:
    TbsSkinStdButtonObject(TbsBusinessSkinForm* form, TbsSkinData* data,
                           const TbsDataSkinStdButton* record);
    // A plain caption button (no skin loaded).
    TbsSkinStdButtonObject(TbsBusinessSkinForm* form, const QString& name, TbsStdCommand command);
    bool IsMorphing() const override;
    void Draw(TCanvas& canvas, bool standalone) override;
    void MouseDown(int x, int y, TMouseButton button) override;
    void MouseUp(int x, int y, TMouseButton button) override;
    void DblClick() override;

    TbsStdCommand Command = TbsStdCommand::cmDefault;
    TRect RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect;
    bool HasSkin = true;

private:
    bool ShowsRestore() const;
    void DrawPlain(TCanvas& canvas);
};

class TbsSkinAnimateObject : public TbsActiveSkinObject {
public:
    TbsSkinAnimateObject(TbsBusinessSkinForm* form, TbsSkinData* data,
                         const TbsDataSkinAnimate* record);
    bool IsMorphing() const override { return false; }
    void Draw(TCanvas& canvas, bool standalone) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseUp(int x, int y, TMouseButton button) override;
    void DblClick() override;
    // One 25 ms tick; false when the animation is not playing.
    bool AnimationTick();
    // Frame 1, not playing, mouse out.
    void Reset();

    int CountFrames = 1;
    bool Cycle = false;
    bool ButtonStyle = false;
    int Interval = 25;
    TbsStdCommand Command = TbsStdCommand::cmDefault;
    int Frame = 1;
    bool Forward = true;
    int TimeGathered = 25;
    bool Playing = false;
    QPointer<TMenuItem> Menu;

private:
    void Play(bool forward);
};

class TbsSkinCaptionObject : public TbsActiveSkinObject {
public:
    TbsSkinCaptionObject(TbsBusinessSkinForm* form, TbsSkinData* data,
                         const TbsDataSkinCaption* record);
    void Draw(TCanvas& canvas, bool standalone) override;
    void MouseEnter() override;
    void MouseLeave() override;
    // Follows the form's activation: repaint, or jump to the end without one.
    void SetActive(bool value, bool repaint);

private:
    // The look (normal or active rect) fitted to the object's width, with the text on it,
    // at `ratio` physical pixels per logical one.
    TBitmap ComposeLook(bool active, qreal ratio);
    void DrawText(TCanvas& canvas, int originX, int originY, bool active);

    const TbsDataSkinCaption* FRecord;
};
