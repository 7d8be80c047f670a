#include "app/HelpWindow.h"

#include "app/Unit4.h"
#include "skinforms/bsSkinForm.h"

THelpWindow::THelpWindow(QObject* owner) : TForm(owner) {
    SetText(Caption());
    SetBorderStyle(bsSizeable);
    SetPosition(poScreenCenter);
    bsBusinessSkinForm1 = new TbsBusinessSkinForm(this);
    bsBusinessSkinForm1->SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
    SetClientSize(760, 560);

    WebBrowser1 = new TWebBrowser(this);
    WebBrowser1->SetAlign(alClient);
}

void THelpWindow::UseSkin(TbsSkinData* skinData) {
    bsBusinessSkinForm1->SetSkinData(skinData);
}

void THelpWindow::ShowGuide(const QString& helpFile) {
    WebBrowser1->StartEngine();
    if (helpFile != FShownFile) {
        FShownFile = helpFile;
        WebBrowser1->Navigate(helpFile);
    }
    Show();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}
