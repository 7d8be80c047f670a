// Actions, action lists and the clients' links to them.

#include "framework/ActnList.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"

#include <algorithm>

// ---------------------------------------------------------------- TActionList

TActionList::TActionList(QObject* owner) : TComponent(owner) {}

TActionList::~TActionList() {
    // The actions outlive the list when someone else owns them; they only forget it.
    for (TAction* action : std::vector<TAction*>(FActions))
        action->FActionList = nullptr;
}

void TActionList::SetImages(TImageList* images) {
    if (FImages == images)
        return;
    QObject::disconnect(FImagesDestroyed);
    FImages = images;
    if (images)
        FImagesDestroyed = connect(images, &QObject::destroyed, this, [this] { ImagesChanged(); });
    ImagesChanged();
}

TAction* TActionList::Actions(int index) const {
    if (index < 0 || index >= ActionCount())
        return nullptr;
    return FActions[static_cast<size_t>(index)];
}

void TActionList::Add(TAction* action) {
    if (std::find(FActions.begin(), FActions.end(), action) == FActions.end())
        FActions.push_back(action);
}

void TActionList::Remove(TAction* action) {
    FActions.erase(std::remove(FActions.begin(), FActions.end(), action), FActions.end());
}

void TActionList::ImagesChanged() {
    for (TAction* action : std::vector<TAction*>(FActions))
        action->Change();
}

// ---------------------------------------------------------------- TAction

TAction::TAction(QObject* owner) : TComponent(owner) {
    if (auto* list = qobject_cast<TActionList*>(owner))
        SetActionList(list);
}

TAction::~TAction() {
    if (FActionList)
        FActionList->Remove(this);
}

void TAction::SetActionList(TActionList* list) {
    if (FActionList == list)
        return;
    if (FActionList)
        FActionList->Remove(this);
    FActionList = list;
    if (list)
        list->Add(this);
    Change();
}

void TAction::SetCaption(const QString& value) {
    if (value == FCaption)
        return;
    FCaption = value;
    Change();
}

void TAction::SetEnabled(bool value) {
    if (value == FEnabled)
        return;
    FEnabled = value;
    Change();
}

void TAction::SetChecked(bool value) {
    if (value == FChecked)
        return;
    FChecked = value;
    Change();
}

void TAction::SetVisible(bool value) {
    if (value == FVisible)
        return;
    FVisible = value;
    Change();
}

void TAction::SetHint(const QString& value) {
    if (value == FHint)
        return;
    FHint = value;
    Change();
}

void TAction::SetImageIndex(int value) {
    if (value == FImageIndex)
        return;
    FImageIndex = value;
    Change();
}

TImageList* TAction::Images() const {
    return FActionList ? FActionList->Images() : nullptr;
}

bool TAction::HasImage() const {
    const TImageList* images = Images();
    return images && FImageIndex >= 0 && FImageIndex < images->Count();
}

bool TAction::DrawImage(TBitmap& bitmap, TColor background) const {
    if (!HasImage())
        return false;
    const TImageList& images = *Images();
    bitmap.SetSize(images.Width(), images.Height());
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = background;
    canvas.FillRect(TRect(0, 0, images.Width(), images.Height()));
    images.Draw(canvas, 0, 0, FImageIndex, true);
    canvas.EndPaint();
    return true;
}

bool TAction::Execute() {
    if (!FEnabled || !OnExecute)
        return false;
    FireEvent(OnExecute, this);
    return true;
}

bool TAction::Update() {
    if (!OnUpdate)
        return false;
    FireEvent(OnUpdate, this);
    return true;
}

void TAction::Change() {
    emit Changed();
}

// ---------------------------------------------------------------- TActionLink

TActionLink::~TActionLink() {
    Disconnect();
}

void TActionLink::Disconnect() {
    QObject::disconnect(FChangedConnection);
    FChangedConnection = {};
}

void TActionLink::SetAction(TAction* action, std::function<void(TAction&)> changed) {
    Disconnect();
    FAction = action;
    if (!action)
        return;
    FChangedConnection = QObject::connect(action, &TAction::Changed, action, [action, changed] {
        Guarded([&] { changed(*action); });
    });
    changed(*action);
}
