// TbsButtonCore: press, hover, group, repeat and morph rules shared by every pressable thing.

#include "skin/bsButtonCore.h"

#include "framework/Classes.h"

#include <QTimer>
#include <algorithm>

TbsButtonCore::TbsButtonCore() = default;

TbsButtonCore::~TbsButtonCore() = default;

QTimer& TbsButtonCore::OwnTimer(std::unique_ptr<QTimer>& timer, int interval,
                                void (TbsButtonCore::*tick)()) {
    if (!timer) {
        timer = std::make_unique<QTimer>();
        timer->callOnTimeout([this, tick] { Guarded([this, tick] { (this->*tick)(); }); });
    }
    timer->setInterval(interval);
    return *timer;
}

// ---------------------------------------------------------------- down and groups

void TbsButtonCore::SetDown(bool value) {
    FDown = value;
    if (Morphs()) {
        if (value) {
            Morph.SetValue(1.0);
            StopMorph();
        } else {
            StartMorph();
        }
    }
    RedrawFace();
    if (FGroupIndex != 0 && FDown && !FAllowAllUp)
        RaiseGroupSiblings();
}

// ---------------------------------------------------------------- repetition

void TbsButtonCore::SetRepeatInterval(int value) {
    FRepeatInterval = std::max(1, value);
    if (FRepeatTimer)
        FRepeatTimer->setInterval(FRepeatInterval);
}

bool TbsButtonCore::RepeatTimerRunning() const {
    return FRepeatTimer && FRepeatTimer->isActive();
}

void TbsButtonCore::StartRepeat() {
    OwnTimer(FRepeatTimer, FRepeatInterval, &TbsButtonCore::RepeatTick).start();
}

void TbsButtonCore::StopRepeat() {
    if (FRepeatTimer)
        FRepeatTimer->stop();
}

// ---------------------------------------------------------------- mouse

void TbsButtonCore::Enter() {
    MouseInside = true;
    Active = true;
    RefreshHoverFace();
    if (FDown && FRepeatMode && FGroupIndex == 0 && FMouseHeld)
        StartRepeat();
}

void TbsButtonCore::Leave(bool keepActive) {
    MouseInside = false;
    if (!keepActive)
        Active = false;
    RefreshHoverFace();
    if (FMouseHeld && FGroupIndex == 0)
        StopRepeat();
}

void TbsButtonCore::Press() {
    FMouseHeld = true;
    if (!FDown) {
        Active = true;
        SetDown(true);
        if (FRepeatMode && FGroupIndex == 0)
            StartRepeat();
        else if (FGroupIndex != 0)
            ButtonClick();
        FWasDownAtPress = false;
    } else if (FGroupIndex != 0) {
        FWasDownAtPress = true;
    }
}

void TbsButtonCore::Release() {
    if (!FMouseHeld)
        return;
    FMouseHeld = false;
    if (FGroupIndex == 0) {
        StopRepeat();
        if (Active) {
            SetDown(false);
            ButtonClick();
        } else {
            // Released elsewhere: no click. The face already left the pressed look when
            // the pointer went out, so nothing needs repainting.
            FDown = false;
        }
    } else if (FDown && FAllowAllUp && FWasDownAtPress && Active) {
        SetDown(false);
        ButtonClick();
    }
}

TbsButtonCore::TCrossing TbsButtonCore::HeldPointerAt(bool inside) const {
    if (!FMouseHeld)
        return TCrossing::None;
    if (inside && !Active)
        return TCrossing::Entered;
    if (!inside && Active)
        return TCrossing::Left;
    return TCrossing::None;
}

// ---------------------------------------------------------------- other transitions

void TbsButtonCore::FocusLost() {
    StopRepeat();
    if (FGroupIndex == 0 && FDown)
        FDown = false;
}

void TbsButtonCore::EnabledChanged() {
    StopMorph();
    Morph.SetValue(0.0);
    Active = false;
    RedrawFace();
}

void TbsButtonCore::BeginApplySkin() {
    StopMorph();
    Morph.SetValue(0.0);
}

void TbsButtonCore::EndApplySkin() {
    if (Morphs() && WantsActiveFace())
        Morph.SetValue(1.0);
}

// ---------------------------------------------------------------- faces

void TbsButtonCore::UpdateFace() {
    if (Morphs())
        StartMorph();
    else
        RedrawFace();
}

void TbsButtonCore::RefreshHoverFace() {
    if (FGroupIndex != 0 && FDown)
        return;
    if (ShowsDownFace()) {
        if (Morphs())
            Morph.SetValue(1.0);
        RedrawFace();
    } else {
        UpdateFace();
    }
}

void TbsButtonCore::StartMorphTimer() {
    QTimer& timer = OwnTimer(FMorphTimer, MorphInterval, &TbsButtonCore::MorphTick);
    if (!timer.isActive())
        timer.start();
}

void TbsButtonCore::StopMorph() {
    if (FMorphTimer)
        FMorphTimer->stop();
}

bool TbsButtonCore::MorphTimerRunning() const {
    return FMorphTimer && FMorphTimer->isActive();
}

void TbsButtonCore::MorphTick() {
    BeforeMorphTick();
    const bool active = WantsActiveFace();
    if (Morphs() && Morph.Step(active)) {
        RedrawFace();
        return;
    }
    Morph.SetValue(active ? 1.0 : 0.0);
    StopMorph();
    RedrawFace();
}

bool TbsButtonCore::MorphStep() {
    if (!Morphs() || !IsMorphing())
        return false;
    Morph.Step(WantsActiveFace());
    RedrawFace();
    return true;
}
