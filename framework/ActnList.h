#pragma once
// Actions: one command with its caption, state, hint and image, shared by the buttons and
// menu items that run it. A client linked to an action shows the action's state and, when
// it has no click handler of its own, runs the action when clicked.
//
//   TAction       the command: Caption, Enabled, Checked, Visible, Hint, ImageIndex,
//                 OnExecute (the command), OnUpdate (refreshes the state before it shows)
//   TActionList   groups actions and gives them their image list
//   TActionLink   what a client holds: the action (cleared when it dies) and a callback
//                 for every change of it

#include "framework/Classes.h"
#include "framework/ImgList.h"

#include <QMetaObject>
#include <QPointer>
#include <vector>

class TAction;
class TBitmap;

class TActionList : public TComponent {
    Q_OBJECT
public:
    explicit TActionList(QObject* owner = nullptr);
    ~TActionList() override;

    // The images of the actions' ImageIndex; not owned, cleared when it is destroyed.
    TImageList* Images() const { return FImages.data(); }
    void SetImages(TImageList* images);

    int ActionCount() const { return static_cast<int>(FActions.size()); }
    TAction* Actions(int index) const;

private:
    friend class TAction;
    void Add(TAction* action);
    void Remove(TAction* action);
    // Every action reports a change (its image changed).
    void ImagesChanged();

    QPointer<TImageList> FImages;
    QMetaObject::Connection FImagesDestroyed;
    std::vector<TAction*> FActions;
};

class TAction : public TComponent {
    Q_OBJECT
public:
    // An owner that is an action list makes the action one of its actions.
    explicit TAction(QObject* owner = nullptr);
    ~TAction() override;

    TActionList* ActionList() const { return FActionList.data(); }
    void SetActionList(TActionList* list);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    QString Hint() const { return FHint; }
    void SetHint(const QString& value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);

    // The list's image list, or nullptr.
    TImageList* Images() const;
    // The action has an image: an image list and ImageIndex inside it.
    bool HasImage() const;
    // Sizes `bitmap` to the image list's size, fills it with `background` and draws the
    // action's image on it; false (bitmap untouched) without an image.
    bool DrawImage(TBitmap& bitmap, TColor background) const;

    // Runs OnExecute when the action is enabled and has one; true when it ran.
    virtual bool Execute();
    // Fires OnUpdate so the program can set the state before the action shows; true when
    // a handler ran.
    virtual bool Update();

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

signals:
    // Any property changed (or the image list did).
    void Changed();

private:
    friend class TActionList;
    void Change();

    QPointer<TActionList> FActionList;
    QString FCaption;
    bool FEnabled = true;
    bool FChecked = false;
    bool FVisible = true;
    QString FHint;
    int FImageIndex = -1;
};

// A client's link to an action. The callback runs when an action is linked and on every
// change of it; the link forgets an action that is destroyed.
class TActionLink {
public:
    TActionLink() = default;
    ~TActionLink();
    TActionLink(const TActionLink&) = delete;
    TActionLink& operator=(const TActionLink&) = delete;

    TAction* Action() const { return FAction.data(); }
    // Links `action` (nullptr unlinks); `changed` runs now and on every change.
    void SetAction(TAction* action, std::function<void(TAction&)> changed);

private:
    void Disconnect();

    QPointer<TAction> FAction;
    QMetaObject::Connection FChangedConnection;
};
