#pragma once
// The preview's browser view as the program's windows see it. The view lives in the module
// libzarvopreview.so together with the browser engine, so that the program loads the engine
// (its libraries alone cost a start-up of about 100 ms and 80 MB) only when it first needs it.
//
// The module exports one function, PreviewViewFactoryName, of type PreviewViewFactory.

#include "app/PreviewDialog.h"

#include <QPoint>
#include <QString>
#include <functional>

class QWidget;

class TPreviewView {
public:
    virtual ~TPreviewView() = default;

    // The view's widget, a child of the parent given to the factory.
    virtual QWidget* Widget() = 0;
    // Loads a local file.
    virtual void Load(const QString& fileName) = 0;
    // Gets ready to show `fileName` without loading it: the page exists and its renderer runs,
    // showing an empty page, so that the first Load starts at once.
    virtual void Prepare(const QString& fileName) = 0;
    // Loads the current page again.
    virtual void Reload() = 0;
    // Loads the current page again where it stands: the new page opens scrolled to where the
    // old one was, as far as it reaches. A page whose script does not answer within
    // `timeoutMs` has its renderer ended first, and loads again in a fresh one.
    virtual void ReloadInPlace(int timeoutMs) = 0;
    // Replaces the page by an empty one and closes the page's pop-ups, so that nothing of
    // it is seen again; the next Load shows a page again.
    virtual void Blank() = 0;
    // The page's selection: whether there is one, copying it to the clipboard, selecting
    // the whole page.
    virtual bool HasSelection() const = 0;
    virtual void CopySelection() = 0;
    virtual void SelectAll() = 0;
    // Asks the page for a sign of life: a script that does not answer within `timeoutMs`
    // has its page's renderer ended, and a shown page loads again in a fresh one.
    virtual void CheckForHang(int timeoutMs) = 0;
    // The page's text, handed to `done` when the engine has it.
    virtual void PageText(std::function<void(const QString&)> done) = 0;

    // JavaScript dialogs of the page (and its pop-ups).
    std::function<PreviewDialogAnswer(const PreviewDialog&)> OnDialog;
    // A load (or reload) finished; not raised for the empty page of Blank.
    std::function<void(bool ok)> OnLoadFinished;
    // The user asked for a context menu over the page, at this screen point. The engine's
    // own menu is never shown.
    std::function<void(const QPoint& screenPoint)> OnContextMenu;
};

using PreviewViewFactory = TPreviewView* (*)(QWidget* parent);
inline constexpr const char* PreviewViewFactoryName = "ZarvoCreatePreviewView";
