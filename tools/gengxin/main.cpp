// gengxin: the updater of zarvofx. On this system the program is installed and updated with
// the system's packages, so the updater tells the installed version and where updates come
// from; "确定" closes it. "--version" prints the version and ends.

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>
#include <cstring>

namespace {

QString VersionText() {
    return QStringLiteral(ZARVO_VERSION);
}

QString MessageText() {
    return QStringLiteral("已安装的版本：zarvo网页特效2008 V") + VersionText() +
           QStringLiteral("\n\n本软件的更新随系统的软件包一起提供。\n"
                          "请用系统的软件包管理器（例如“软件更新”或 apt）更新本软件。");
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("gengxin %s\n", ZARVO_VERSION);
        return 0;
    }
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("zarvo自动升级"));
    auto* text = new QLabel(MessageText());
    text->setObjectName(QStringLiteral("message"));
    text->setWordWrap(true);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &window, &QWidget::close);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(text);
    layout->addWidget(buttons);
    window.resize(360, 150);
    window.show();
    return app.exec();
}
