// The program's main block: the application object with its title, the main window, and the
// message loop until the main window closes.

#include "app/Unit1.h"
#include "app/Unit5.h"
#include "platform/QtMessages.h"

#include <QApplication>

int main(int argc, char** argv) {
    SilenceHarmlessPlatformMessages();
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QString());
    Application->Initialize();
    Application->SetTitle(TForm1::Title());
    Application->CreateForm(&Form1);
    Application->CreateForm(&Form5);
    return Application->Run();
}
