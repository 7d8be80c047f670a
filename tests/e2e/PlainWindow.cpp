// The yardstick of the program's start-up: the same job without skins. A plain Qt widget
// window of the main window's size with a menu bar of four menus holding the program's menu
// texts, a list of effect names, a plain-text editor with a short page and a status bar with
// the welcome text. It quits right after its first paint, as the program does with
// ZARVOFX_QUIT_AFTER_PAINT=1.

#include <QApplication>
#include <QEvent>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>

namespace {

// Quits the application once the watched window has painted for the first time; queued,
// so the paint in hand reaches the screen first.
class QuitAfterFirstPaint : public QObject {
public:
    explicit QuitAfterFirstPaint(QWidget* window) : QObject(window) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, &QApplication::quit);
        }
        return false;
    }
};

void AddMenu(QMenuBar* bar, const QString& title, const QStringList& items) {
    QMenu* menu = bar->addMenu(title);
    for (const QString& item : items) {
        if (item == u"-")
            menu->addSeparator();
        else
            menu->addAction(item);
    }
}

void FillMenuBar(QMenuBar* bar) {
    AddMenu(bar, QStringLiteral("文件(&F)"),
            {QStringLiteral("保存特效"), QStringLiteral("-"), QStringLiteral("添加特效(&J)"),
             QStringLiteral("-"), QStringLiteral("删除特效(&D)"), QStringLiteral("-"),
             QStringLiteral("退出")});
    AddMenu(bar, QStringLiteral("工具(&T)"),
            {QStringLiteral("显示任务栏"), QStringLiteral("隐藏任务栏"), QStringLiteral("-"),
             QStringLiteral("系统工具(&E)"), QStringLiteral("zarvo万年历(&Q)")});
    AddMenu(bar, QStringLiteral("设置(&S)"),
            {QStringLiteral("外观选择(&A)"), QStringLiteral("背景音乐(&M)"), QStringLiteral("-"),
             QStringLiteral("前端显示"), QStringLiteral("显示退出显示")});
    AddMenu(bar, QStringLiteral("帮助(&H)"),
            {QStringLiteral("访问本站"), QStringLiteral("zarvo论坛"), QStringLiteral("-"),
             QStringLiteral("帮助"), QStringLiteral("联系我(&L)"), QStringLiteral("关于(&O)")});
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("zarvo网页特效2008 qirra版"));
    window.resize(695, 474);
    FillMenuBar(window.menuBar());

    auto* splitter = new QSplitter(&window);
    auto* effects = new QListWidget(splitter);
    effects->addItems({QStringLiteral("跟随鼠标的星星"), QStringLiteral("飘落的雪花"),
                       QStringLiteral("闪烁的文字"), QStringLiteral("渐变的背景"),
                       QStringLiteral("窗口抖动")});
    auto* code = new QPlainTextEdit(splitter);
    code->setPlainText(QStringLiteral("<html>\n<head><title>飘落的雪花</title></head>\n"
                                      "<body>\n<p>把代码复制到网页的 body 中。</p>\n"
                                      "</body>\n</html>\n"));
    splitter->setSizes({169, 506});
    window.setCentralWidget(splitter);
    window.statusBar()->showMessage(QStringLiteral("欢迎您使用zarvo软件！"));

    new QuitAfterFirstPaint(&window);
    window.show();
    return app.exec();
}
