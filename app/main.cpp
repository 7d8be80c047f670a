// The program's main block. Until the main window exists this opens an empty window
// with the program's caption.

#include "platform/QtMessages.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    SilenceHarmlessPlatformMessages();
    QApplication app(argc, argv);
    const QString title = QStringLiteral("zarvo网页特效2008 qirra版");
    QApplication::setApplicationDisplayName(QString());
    QWidget window;
    window.setWindowTitle(title);
    window.resize(689, 449);
    window.show();
    return app.exec();
}
