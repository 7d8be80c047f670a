#pragma once
// TbsButtonCore: the state every pressable thing of the skin keeps — hover, active look,
// down, the held mouse button, toggle groups, click repetition and the cross-fade between
// the normal and the active face — with the rules that move it. The looks stay with the
// things themselves: the core only asks them to redraw, to click and whether they morph.
//
// Skinned buttons (controls) hold a core; frame objects and menu-bar items, which are plain
// objects of their window, are built on it. Things whose window steps all their morphs on
// one shared timer override StartMorphTimer and call MorphStep from that timer; the others
// let the core run its own 20 ms timer.

#include "skin/bsEffects.h"

#include <memory>

class QTimer;

class TbsButtonCore {
public:
    static constexpr int MorphInterval = 20;

    TbsButtonCore();
    virtual ~TbsButtonCore();
    TbsButtonCore(const TbsButtonCore&) = delete;
    TbsButtonCore& operator=(const TbsButtonCore&) = delete;

    // --- State. The window of a frame object or bar item resets these directly when a
    // move, an activation or the end of menu mode cancels every hover.
    bool MouseInside = false; // the pointer is over the thing
    bool Active = false;      // it shows its active look ("hot")
    TbsMorphProgress Morph;   // 0 the normal face, 1 the active face

    bool Down() const { return FDown; }
    // The down setter with the face rule of a button: going down jumps to the active face
    // and stops the morph, coming up fades back; a group member going down raises the
    // others of its group unless AllowAllUp.
    virtual void SetDown(bool value);
    // Down changes without any repaint or morph.
    void SetDownState(bool value) { FDown = value; }
    bool MouseHeld() const { return FMouseHeld; }

    // --- Groups and repetition.
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value) { FGroupIndex = value; }
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool value) { FAllowAllUp = value; }
    bool RepeatMode() const { return FRepeatMode; }
    void SetRepeatMode(bool value) { FRepeatMode = value; }
    int RepeatInterval() const { return FRepeatInterval; }
    void SetRepeatInterval(int value); // at least 1 ms
    bool RepeatTimerRunning() const;
    void StopRepeat();

    // --- Mouse (left button only).
    // The pointer entered: active; the face follows (RefreshHoverFace); a held repeating
    // button resumes its clicks.
    void Enter();
    // The pointer left: no longer active unless `keepActive`; the face follows; a held
    // repeating button pauses.
    void Leave(bool keepActive = false);
    // Press: held; an up button goes down and either starts repeating or, in a group,
    // clicks at once. A group button already down remembers it (a release may raise it).
    void Press();
    // Release: a plain button clicks when released over it (active) and comes up either
    // way; a group button with AllowAllUp that was down at the press comes up and clicks.
    void Release();
    // While held, what crossing the edge means: the host turns it into its own
    // enter/leave handling.
    enum class TCrossing { None, Entered, Left };
    TCrossing HeldPointerAt(bool inside) const;

    // --- Other transitions.
    // Focus went elsewhere: the repetition stops; a plain button comes up without repaint.
    void FocusLost();
    // Enabled changed: no morph, normal face, not active, repaint.
    void EnabledChanged();
    // Around a skin change: the morph restarts from the normal face, or from the active
    // face when the thing wants it.
    void BeginApplySkin();
    void EndApplySkin();

    // --- Faces.
    // With morphing: start the animation; otherwise repaint.
    void UpdateFace();
    // The face rule of enter and leave: a group button that is down keeps its face; a down
    // face jumps to the end of the morph and repaints; any other animates.
    void RefreshHoverFace();
    // Starts the morph timer (the own one unless overridden).
    void StartMorph() { StartMorphTimer(); }
    void StopMorph();
    bool MorphTimerRunning() const;
    // One tick of the own timer: a step towards the wanted face, or at the end the exact
    // value, the timer stopped, a repaint.
    void MorphTick();
    // One tick of a shared timer: false when nothing needed a step.
    bool MorphStep();
    // A tick would still change the morph.
    virtual bool IsMorphing() const { return Morph.NeedsStep(WantsActiveFace()); }

protected:
    // The thing's look changed.
    virtual void RedrawFace() = 0;
    // The thing cross-fades its faces now.
    virtual bool Morphs() const { return false; }
    // The face the morph runs towards is the active one.
    virtual bool WantsActiveFace() const { return Active; }
    // The down face shows (enter and leave then only jump the morph to its end).
    virtual bool ShowsDownFace() const { return FDown; }
    // The click action.
    virtual void ButtonClick() {}
    // The other down members of this group come up.
    virtual void RaiseGroupSiblings() {}
    // The morph timer should run.
    virtual void StartMorphTimer();
    // Called before each own-timer tick (a control re-resolves its record).
    virtual void BeforeMorphTick() {}

private:
    void StartRepeat();
    QTimer& OwnTimer(std::unique_ptr<QTimer>& timer, int interval, void (TbsButtonCore::*tick)());
    void RepeatTick() { ButtonClick(); }

    bool FDown = false;
    bool FMouseHeld = false;
    bool FWasDownAtPress = false;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FRepeatMode = false;
    int FRepeatInterval = 100;
    // Created on first use: most things never repeat, and many never morph on their own.
    std::unique_ptr<QTimer> FMorphTimer;
    std::unique_ptr<QTimer> FRepeatTimer;
};
