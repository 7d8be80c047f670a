#pragma once
// The preview's browser view as the program's windows see it. The view lives in the module
// libzarvopreview.so together with the browser engine, so that the program loads the engine
// (its libraries alone cost a start-up of about 100 ms and 80 MB) only when it first needs it.
//
// The module exports one function, PreviewViewFactoryName, of type PreviewViewFactory.

#include "app/PreviewDialog.h"

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
    // Loads the current page again.
    virtual void Reload() = 0;
    // Asks the page for a sign of life: a script that does not answer within `timeoutMs`
    // has its page's renderer ended, and a shown page loads again in a fresh one.
    virtual void CheckForHang(int timeoutMs) = 0;
    // The page's text, handed to `done` when the engine has it.
    virtual void PageText(std::function<void(const QString&)> done) = 0;

    // JavaScript dialogs of the page (and its pop-ups).
    std::function<PreviewDialogAnswer(const PreviewDialog&)> OnDialog;
    // A load (or reload) finished.
    std::function<void(bool ok)> OnLoadFinished;
};

using PreviewViewFactory = TPreviewView* (*)(QWidget* parent);
inline constexpr const char* PreviewViewFactoryName = "ZarvoCreatePreviewView";
