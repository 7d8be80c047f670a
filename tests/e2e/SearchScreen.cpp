// The library search in the real program on the test desktop: Ctrl+F in the main window,
// a word only one fixture effect holds typed into "查找特效", one highlighted row, Enter, and
// "复制代码" in the main window copies that effect; then an effect written by hand into a
// category folder is found the same way without starting the program again. Screenshots of
// the search window go to OUTPUT_FOLDER.
//
// Usage: search-screen PROGRAM_FOLDER OUTPUT_FOLDER
// Exits 0 when everything held, 1 with the failed step named, 77 without a display.

#include "platform/Gbk.h"

#include "ScreenDesktop.h"
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <QImage>
#include <QProcess>
#include <QThread>
#include <cstdio>
#include <functional>
#include <unistd.h>
#include <utility>

namespace {

const QString MainTitle = QStringLiteral("zarvo网页特效2008 qirra版");
const QString SearchTitle = QStringLiteral("查找特效");
constexpr int MainClientWidth = 689, MainClientHeight = 449;
constexpr int SearchClientWidth = 620, SearchClientHeight = 400;
// The search window's rows without a skin: below the edit, 20 pixels each, above the status
// bar; the words are drawn on this colour.
constexpr int FirstRowTop = 34 + 2, RowHeight = 20, ListBottom = SearchClientHeight - 21 - 8;
const QRgb HighlightFill = qRgb(0xFF, 0xE6, 0x66);
// "复制代码" in the main window's client area.
const QPoint CopyButton(179 + 16 + 75 / 2, 24 + 323 + 32 + 12);

const QString WindowCategory = QStringLiteral("窗口特效系列");
const QString TextCategory = QStringLiteral("文字特效系列");
const QByteArray ZebraEffect =
    "<script>\r\n// a zebracorn walks across the page\r\nvar legs = 4;\r\n</script>\r\n";
const QByteArray HandEffect = "<p>the quokka smiles</p>\r\n";

QString Root, ProgramFolder, Output;
QProcess* Program = nullptr;

[[noreturn]] void Fail(const char* step, const QString& detail = QString()) {
    std::fprintf(stderr, "FAILED: %s %s\n", step, qPrintable(detail));
    QProcess::execute(QStringLiteral("import"), {"-window", "root", Output + "/search_failed.png"});
    if (Program)
        Program->kill();
    std::exit(1);
}

// xdotool, then a pause for the program to answer.
QString Xdo(const QStringList& args) {
    const QString out = Xdotool(args);
    Pump(200);
    return out;
}

// A shown window's client area on the screen (equal borders left, right and bottom).
struct Client {
    QString id;
    QPoint origin;
};

Client Await(const QString& title, int width, int height, const char* step) {
    QString id;
    if (!WaitFor([&] { return !(id = WindowNamed(title)).isEmpty(); }, 20000))
        Fail(step, "no window " + title);
    Pump(300);
    const Place p = Geometry(id);
    const int border = (p.width - width) / 2;
    return {id, QPoint(p.x + border, p.y + p.height - height - border)};
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        Fail("write an effect", path);
}

void WriteEffect(const QString& category, const QString& name, const QByteArray& bytes) {
    WriteFile(ProgramFolder + "/data/" + category + "/" + name, bytes);
}

Client StartProgram() {
    Program = new QProcess;
    Program->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    Program->start(ProgramFolder + "/zarvofx", {});
    if (!Program->waitForStarted(5000))
        Fail("start zarvofx");
    return Await(MainTitle, MainClientWidth, MainClientHeight, "the main window shows");
}

void MakeProgramFolder(const QString& staged) {
    ProgramFolder = Root + "/program";
    const QString missing =
        CopyStagedProgram(staged, ProgramFolder, {"zarvofx", "libzarvopreview.so", "zarvotx.ini"});
    if (!missing.isEmpty())
        Fail("copy the program", missing);
    WriteEffect(WindowCategory, QStringLiteral("斑马"),
                Gbk::Encode(QString::fromLatin1(ZebraEffect)));
    WriteEffect(WindowCategory, QStringLiteral("马"), "<p>a horse walks</p>\r\n");
    WriteEffect(TextCategory, QStringLiteral("走路"),
                Gbk::Encode(QStringLiteral("<p>走 walks</p>\r\n")));
}

// The rows of the search window that show highlighted words.
int HighlightedRows(const Client& search) {
    const QString path = Root + "/screen.png";
    QFile::remove(path);
    QProcess::execute(QStringLiteral("import"), {"-window", "root", path});
    const QImage screen(path);
    int rows = 0;
    for (int top = FirstRowTop; top + RowHeight <= ListBottom; top += RowHeight) {
        bool marked = false;
        for (int y = top + 4; y < top + RowHeight - 4 && !marked; ++y)
            for (int x = 8; x < SearchClientWidth - 8 && !marked; ++x)
                marked = screen.pixel(search.origin + QPoint(x, y)) == HighlightFill;
        rows += marked;
    }
    return rows;
}

// Ctrl+F in the main window, `word` typed over what the edit held, one row found; Enter
// opens it and "复制代码" copies `expected`.
void FindAndOpen(const Client& main, const QString& word, const QByteArray& expected,
                 const QString& shot) {
    Xdo({"windowactivate", "--sync", main.id});
    Xdo({"key", "ctrl+f"});
    const Client search =
        Await(SearchTitle, SearchClientWidth, SearchClientHeight, "Ctrl+F shows the search window");
    Xdo({"type", "--delay", "60", word});
    if (!WaitFor([&] { return HighlightedRows(search) == 1; }, 5000))
        Fail("one row found for the word", word + ": " + QString::number(HighlightedRows(search)));
    QProcess::execute(QStringLiteral("import"), {"-window", search.id, Output + "/" + shot});
    Xdo({"key", "Return"});
    Pump(500);
    QProcess::execute(QStringLiteral("import"), {"-window", main.id, Output + "/opened_" + shot});
    QApplication::clipboard()->clear();
    Xdo({"mousemove", QString::number(main.origin.x() + CopyButton.x()),
         QString::number(main.origin.y() + CopyButton.y())});
    Xdo({"click", "1"});
    QString copied;
    WaitFor([&] { return !(copied = QApplication::clipboard()->text()).isEmpty(); }, 3000);
    copied.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (copied.trimmed() !=
        Gbk::Decode(expected).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).trimmed())
        Fail("the code window holds the found effect", copied);
}

} // namespace

int main(int argc, char** argv) {
    Root = StartScreenSession(argc, "search-screen");
    QApplication app(argc, argv);
    Output = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QDir().mkpath(Output);
    MakeProgramFolder(QString::fromLocal8Bit(argv[1]));

    const Client main = StartProgram();

    FindAndOpen(main, QStringLiteral("zebracorn"), Gbk::Encode(QString::fromLatin1(ZebraEffect)),
                QStringLiteral("search_window.png"));
    // Written by hand into a category folder while the program runs.
    WriteEffect(TextCategory, QStringLiteral("手写"), HandEffect);
    FindAndOpen(main, QStringLiteral("quokka"), HandEffect,
                QStringLiteral("search_window_hand.png"));

    StopProgram(Program);

    // The window in a skin, with several rows, for people to look at.
    WriteFile(ProgramFolder + "/zarvofx.Ini", "[Skins]\r\nSkins=skins\\skin1\\skin.ini\r\n");
    const Client skinned = StartProgram();
    Xdo({"windowactivate", "--sync", skinned.id});
    Xdo({"key", "ctrl+f"});
    const Client search =
        Await(SearchTitle, SearchClientWidth, SearchClientHeight, "the skinned search window");
    Xdo({"type", "--delay", "60", "walks"});
    Pump(1000);
    QProcess::execute(QStringLiteral("import"),
                      {"-window", search.id, Output + "/search_window_skin1.png"});
    StopProgram(Program);
    QDir(Root).removeRecursively();
    std::printf("search screen test passed; screenshots in %s\n", qPrintable(Output));
    return 0;
}
