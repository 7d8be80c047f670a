#pragma once
// The guide in the program's own browser: a resizable, non-modal skinned window showing the
// help file, for desktops where no browser can be started. It is made at the first request
// and kept, hidden, when closed.

#include "framework/Forms.h"

class TbsBusinessSkinForm;
class TbsSkinData;
class TWebBrowser;

class THelpWindow : public TForm {
    Q_OBJECT
public:
    explicit THelpWindow(QObject* owner = nullptr);

    static QString Caption() { return QStringLiteral("zarvo网页特效帮助"); }

    void UseSkin(TbsSkinData* skinData);
    // Shows `helpFile` and brings the window to the front; raises an error naming the engine
    // module when the browser cannot start.
    void ShowGuide(const QString& helpFile);

    TbsBusinessSkinForm* bsBusinessSkinForm1; // the skinned frame with its caption buttons
    TWebBrowser* WebBrowser1;                 // the guide

private:
    QString FShownFile;
};
