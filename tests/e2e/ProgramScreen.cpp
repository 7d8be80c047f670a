// The real program on the test desktop, driven as a user would: from a temporary program
// folder with a small fixture library, typing a category, opening and copying an effect,
// previewing it in the program's window (checking the rendered colour) and in the default
// browser (a recording stand-in), adding an effect through the dialog, saving it as a page,
// deleting it and trying a protected one; then faults: a saved skin with a truncated frame
// picture (one message, the default look with a working menu bar, a second copy refused) and
// a preview page linked to a file outside (left unchanged). Screenshots of the main window in
// the default look and in every installed skin, of the preview and of the add dialog go to
// OUTPUT_FOLDER.
//
// Usage: program-screen PROGRAM_FOLDER OUTPUT_FOLDER [commands|looks]
// The commands in the default look, or the looks and the faults; without a part, both.
// Exits 0 when everything held, 1 with the failed step named, 77 without a display.

#include "platform/Gbk.h"

#include "ScreenSession.h"
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <optional>
#include <unistd.h>

// tests/skinctrls/screen/SpareKeys.cpp
void MapCharactersToSpareKeys(const QString& text);

namespace {

const QString Category = QStringLiteral("窗口特效系列");
const QString RedEffect = QStringLiteral("红色方块");
const QString BlueEffect = QStringLiteral("蓝色方块");
const QString Protected = QStringLiteral("软件说明");
const QString NewEffect = QStringLiteral("测试特效");
// With an emoji, which GBK cannot hold: it is written in GB18030, the superset.
const QString NewCode = QStringLiteral("<p>测试 \U0001F600</p>");
const QString MainTitle = QStringLiteral("zarvo网页特效2008 qirra版");

// The effects paint the whole page in one colour.
QByteArray ColourPage(const char* colour, const QString& word) {
    return Gbk::Encode(QStringLiteral("<html><body style=\"margin:0;background:%1\">%2</body>"
                                      "</html>\r\n")
                           .arg(QString::fromLatin1(colour), word));
}
// A UTF-8 effect without a declaration, listed last: its page turns green when its Chinese
// reaches the page's script as Chinese.
const QString Utf8Effect = QStringLiteral("雪花特效");
const QString Utf8Code = QStringLiteral(
    "<html><body style=\"margin:0;background:#c81e1e\"><p>笑脸 \U0001F600</p>"
    "<script>if ('中'.charCodeAt(0) == 0x4E2D) document.body.style.background = '#20a040';"
    "</script></body></html>");
// Listed after it: a click anywhere on the page opens a pop-up window with a title.
const QString PopupEffect = QStringLiteral("页面弹窗");
const QString PopupTitle = QStringLiteral("弹出的窗口");
const QString PopupCode = QStringLiteral(
    "<html><body style=\"margin:0;height:100vh;background:#c81e1e\"><script>"
    "document.body.onclick = function () {"
    " var w = window.open('', '_blank', 'width=320,height=200');"
    " w.document.write('<title>弹出的窗口</title><body style=\"background:#2050c8\">');"
    " w.document.close(); };</script></body></html>");
const QRgb Green = qRgb(0x20, 0xa0, 0x40);
const QRgb Red = qRgb(0xc8, 0x1e, 0x1e);
const QRgb Blue = qRgb(0x20, 0x50, 0xc8);

// The main window's client size, and the list's item height without a skin.
constexpr int MainClientWidth = 689, MainClientHeight = 449;
constexpr int ItemHeight = 20;

QString Root, ProgramFolder, Output, Part;
QProcess* Program = nullptr;

[[noreturn]] void Fail(const char* step, const QString& detail = QString()) {
    std::fprintf(stderr, "FAILED: %s %s\n", step, qPrintable(detail));
    if (Program) {
        QProcess::execute(
            QStringLiteral("import"),
            {"-window", "root",
             Output + "/program_failed" + (Part.isEmpty() ? "" : "_" + Part) + ".png"});
        Program->kill();
        Program->waitForFinished(3000);
    }
    std::exit(1);
}

QString Run(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

void Xdotool(const QStringList& args) {
    QProcess::execute(QStringLiteral("xdotool"), args);
}

// A visible window whose title is exactly `title`.
std::optional<QString> FindWindow(const QString& title) {
    const QString ids =
        Run(QStringLiteral("xdotool"),
            {"search", "--onlyvisible", "--name", "^" + QRegularExpression::escape(title) + "$"});
    if (ids.isEmpty())
        return std::nullopt;
    return ids.split('\n').last();
}

QString WaitWindow(const QString& title, const char* step, int ms = 10000) {
    std::optional<QString> id;
    if (!WaitFor([&] { return (id = FindWindow(title)).has_value(); }, ms))
        Fail(step, "no window " + title);
    Pump(300);
    return *id;
}

void WaitGone(const QString& title, const char* step) {
    if (!WaitFor([&] { return !FindWindow(title); }))
        Fail(step, "window still shown: " + title);
}

// A window's client origin on the screen: the frame's borders are alike left, right and
// bottom; the rest of the height is the caption.
struct Window {
    QString id;
    int x = 0, y = 0, width = 0, height = 0;
    int clientLeft = 0, clientTop = 0;
};

Window Locate(const QString& id, int clientWidth, int clientHeight) {
    Window w;
    w.id = id;
    const QString shell = Run(QStringLiteral("xdotool"), {"getwindowgeometry", "--shell", id});
    for (const QString& line : shell.split('\n')) {
        const QString value = line.section('=', 1);
        if (line.startsWith("X="))
            w.x = value.toInt();
        else if (line.startsWith("Y="))
            w.y = value.toInt();
        else if (line.startsWith("WIDTH="))
            w.width = value.toInt();
        else if (line.startsWith("HEIGHT="))
            w.height = value.toInt();
    }
    const int border = (w.width - clientWidth) / 2;
    w.clientLeft = w.x + border;
    w.clientTop = w.y + w.height - clientHeight - border;
    return w;
}

void ClickClient(const Window& w, int x, int y) {
    Xdotool({"mousemove", QString::number(w.clientLeft + x), QString::number(w.clientTop + y)});
    Pump(150);
    Xdotool({"click", "1"});
    Pump(300);
}

void Keys(const QString& keys) {
    Xdotool({"key", "--delay", "60", keys});
    Pump(200);
}

void Type(const QString& text) {
    Xdotool({"type", "--delay", "60", text});
    Pump(200);
}

void Shot(const QString& name, const QString& window = QStringLiteral("root")) {
    QProcess::execute(QStringLiteral("import"), {"-window", window, Output + "/" + name});
}

QImage ScreenImage() {
    const QString path = Root + "/screen.png";
    QFile::remove(path);
    QProcess::execute(QStringLiteral("import"), {"-window", "root", path});
    return QImage(path);
}

bool Near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) < 12 && std::abs(qGreen(a) - qGreen(b)) < 12 &&
           std::abs(qBlue(a) - qBlue(b)) < 12;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        Fail("write a fixture file", path);
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The program folder the test starts from: the staged program, the fixture library, an
// empty preview folder, and a settings file naming `skin` (none: the default look).
void BuildProgramFolder(const QString& staged) {
    ProgramFolder = Root + "/program";
    const QString missing = CopyStagedProgram(
        staged, ProgramFolder, {"zarvofx", "libzarvopreview.so", "zarvotx.ini", "help.htm"});
    if (!missing.isEmpty())
        Fail("copy the program", missing);
    const QString library = ProgramFolder + "/data/" + Category + "/";
    WriteFile(library + RedEffect, ColourPage("#c81e1e", RedEffect));
    WriteFile(library + BlueEffect, ColourPage("#2050c8", BlueEffect));
    WriteFile(library + Protected, Gbk::Encode(QStringLiteral("<p>说明</p>\r\n")));
    WriteFile(library + QStringLiteral("页面.htm"), "not an effect\r\n");
    WriteFile(library + Utf8Effect, (Utf8Code + "\r\n").toUtf8());
    WriteFile(library + PopupEffect, Gbk::Encode(PopupCode + "\r\n"));
}

void UseSkin(const QString& storedPath) {
    const QString settings = ProgramFolder + "/zarvofx.Ini";
    QFile::remove(settings);
    if (!storedPath.isEmpty())
        WriteFile(settings, "[Skins]\r\nSkins=" + storedPath.toLatin1() + "\r\n");
}

// `path` replaces the search path (a desktop without a browser); empty keeps the test's.
Window StartProgram(const QString& path = QString()) {
    Program = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PATH", path.isEmpty() ? Root + "/bin:" + env.value("PATH") : path);
    env.insert("QT_QPA_PLATFORM", "xcb");
    Program->setProcessEnvironment(env);
    Program->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    Program->start(ProgramFolder + "/zarvofx", {});
    if (!Program->waitForStarted(5000))
        Fail("start zarvofx");
    Window main = Locate(WaitWindow(MainTitle, "the main window shows", 20000), MainClientWidth,
                         MainClientHeight);
    Xdotool({"windowactivate", "--sync", main.id});
    Pump(500);
    return main;
}

void StopProgram() {
    Program->terminate();
    if (!Program->waitForFinished(5000))
        Program->kill();
    Program->waitForFinished(2000);
    delete Program;
    Program = nullptr;
}

bool AnswerBoxWith(const QString& caption, const QString& key, int ms = 4000);

// Dismisses the message box of this caption with Enter; false when none came.
bool AnswerBox(const QString& caption, int ms = 4000) {
    return AnswerBoxWith(caption, "Return", ms);
}

// Places in the main window's client area.
QPoint ListItem(int index) {
    return {8 + 40, 24 + 45 + 2 + index * ItemHeight + ItemHeight / 2};
}
QPoint CommandButton(int left, int width) {
    return {179 + left + width / 2, 24 + 323 + 32 + 12};
}
const QPoint CopyButton = CommandButton(16, 75);
const QPoint PreviewButton = CommandButton(112, 75);
const QPoint BrowserButton = CommandButton(208, 105);
const QPoint AddButton = CommandButton(328, 75);
const QPoint SaveButton = CommandButton(416, 75);

void OpenEffect(const Window& main, int index, const QString& expected) {
    ClickClient(main, ListItem(index).x(), ListItem(index).y());
    QApplication::clipboard()->clear();
    ClickClient(main, CopyButton.x(), CopyButton.y());
    QString copied;
    WaitFor([&] { return !(copied = QApplication::clipboard()->text()).isEmpty(); }, 3000);
    if (copied.trimmed() != expected.trimmed())
        Fail("copy the opened effect's code", copied);
}

// The middle of the browser's place in the preview window's group box.
QPoint PreviewMiddle(const Window& preview) {
    return {preview.clientLeft + 4 + 341, preview.clientTop + 25 + 198};
}

enum class CloseBy { Button, Escape };

// Opens the preview window and waits for the effect's colour in the middle of its page.
Window OpenPreview(const Window& main, QRgb colour, const QString& shot) {
    ClickClient(main, PreviewButton.x(), PreviewButton.y());
    const QString id = WaitWindow(QStringLiteral("zarvo特效预览"), "the preview window shows");
    const Window preview = Locate(id, 689, 441);
    const QPoint middle = PreviewMiddle(preview);
    QRgb seen = 0;
    WaitFor(
        [&] {
            seen = ScreenImage().pixel(middle);
            return Near(seen, colour);
        },
        15000);
    Shot(shot);
    if (!Near(seen, colour))
        Fail("the preview renders the effect",
             QStringLiteral("pixel %1 at %2,%3").arg(seen, 6, 16).arg(middle.x()).arg(middle.y()));
    return preview;
}

void PreviewShows(const Window& main, QRgb colour, const QString& shot,
                  CloseBy close = CloseBy::Button) {
    const Window preview = OpenPreview(main, colour, shot);
    if (close == CloseBy::Escape) {
        Keys("Escape");
        WaitGone(QStringLiteral("zarvo特效预览"), "Escape closes the preview");
        return;
    }
    ClickClient(preview, 600 + 37, 2 + 8);
    WaitGone(QStringLiteral("zarvo特效预览"), "the close button closes the preview");
}

// Typed character by character, a category name lists its folder with no message on the
// way; a text that begins no category is refused once, however much more is typed.
void TypeCategory(const Window& main) {
    ClickClient(main, 8 + 60, 24 + 24 + 10);
    Keys("ctrl+a");
    for (int n = 0; n < Category.size(); ++n) {
        Type(Category.mid(n, 1));
        if (FindWindow(QStringLiteral("错误")))
            Fail("the beginning of a category name waits quietly", Category.left(n + 1));
    }
    if (AnswerBox(QStringLiteral("错误"), 1000))
        Fail("a complete category name is not refused");
    Keys("ctrl+a");
    Type(QStringLiteral("时"));
    Type(QStringLiteral("x"));
    if (!AnswerBox(QStringLiteral("错误")))
        Fail("a text that begins no category is refused");
    Type(QStringLiteral("yz"));
    if (AnswerBox(QStringLiteral("错误"), 1500))
        Fail("one message per wrong entry");
    Keys("ctrl+a");
    Type(Category);
    if (AnswerBox(QStringLiteral("错误"), 1000))
        Fail("the category typed again is not refused");
}

// Presses the key in the box of this caption (an accelerator, Return, Escape).
bool AnswerBoxWith(const QString& caption, const QString& key, int ms) {
    std::optional<QString> id;
    if (!WaitFor([&] { return (id = FindWindow(caption)).has_value(); }, ms))
        return false;
    Pump(200);
    Xdotool({"windowactivate", "--sync", *id});
    Keys(key);
    // Another box of the same caption may follow at once: this one must go.
    if (!WaitFor([&] { return FindWindow(caption) != id; }))
        Fail("the message box closes", caption);
    return true;
}

void AddThroughTheDialog(const Window& main) {
    ClickClient(main, AddButton.x(), AddButton.y());
    const Window dialog =
        Locate(WaitWindow(QStringLiteral("zarvo特效添加"), "the add dialog shows"), 369, 358);
    // Category, name and code typed into an emptied dialog; "添加" pressed.
    auto add = [&](const QString& code, const QString& shot) {
        ClickClient(dialog, 131 + 60, 31 + 10);
        Keys("ctrl+a");
        Type(Category);
        ClickClient(dialog, 131 + 60, 63 + 10);
        Type(NewEffect);
        ClickClient(dialog, 30 + 100, 119 + 40);
        Type(code);
        if (!shot.isEmpty())
            Shot(shot, dialog.id);
        ClickClient(dialog, 62 + 37, 315 + 12);
    };
    add(NewCode, "program_add_dialog.png");
    if (!AnswerBox(QStringLiteral("信息")))
        Fail("the success message");
    const QString added = ProgramFolder + "/data/" + Category + "/" + NewEffect;
    const QByteArray written = ReadFile(added);
    if (written != Gbk::Encode(NewCode + "\r\n"))
        Fail("the added effect on disk in GBK", QString::fromLatin1(written.toHex()));

    // The same name again asks; Enter keeps the effect (No is the default), Y replaces it.
    add(QStringLiteral("x"), QString());
    Shot("program_replace_question.png");
    if (!AnswerBoxWith(QStringLiteral("确认"), "Return"))
        Fail("adding over an existing effect asks");
    if (ReadFile(added) != written)
        Fail("No keeps the existing effect byte for byte");
    if (AnswerBox(QStringLiteral("信息"), 1000))
        Fail("no success message after No");
    // The dialog kept its input: new code, and Yes this time.
    ClickClient(dialog, 30 + 100, 119 + 40);
    Keys("ctrl+a");
    Type(QStringLiteral("<i>replaced</i>"));
    ClickClient(dialog, 62 + 37, 315 + 12);
    if (!AnswerBoxWith(QStringLiteral("确认"), "y") || !AnswerBox(QStringLiteral("信息")))
        Fail("Yes replaces the effect");
    if (ReadFile(added) != "<i>replaced</i>\r\n")
        Fail("the replaced effect", QString::fromLatin1(ReadFile(added)));
    WriteFile(added, written);

    ClickClient(dialog, 150 + 37, 315 + 12);
    WaitGone(QStringLiteral("zarvo特效添加"), "cancel closes the add dialog");
}

// The dialog opens in the program folder (the effect's name has no folder); the page is
// saved there under a typed name.
void SaveAsPage(const Window& main) {
    const QString target = ProgramFolder + "/saved";
    ClickClient(main, SaveButton.x(), SaveButton.y());
    const QString dialog = WaitWindow(QStringLiteral("特效保存"), "the save dialog shows");
    Shot("program_save_dialog.png", dialog);
    Keys("ctrl+a");
    Type(QStringLiteral("saved"));
    Keys("Return");
    WaitGone(QStringLiteral("特效保存"), "the save dialog closes");
    if (!WaitFor([&] { return QFile::exists(target + ".htm"); }, 3000) ||
        ReadFile(target + ".htm") != Gbk::Encode(NewCode + "\r\n"))
        Fail("the saved page", target + ".htm");

    // Saving over it asks (Enter: No, the dialog comes back and is cancelled) ...
    WriteFile(target + ".htm", "older page");
    auto saveAs = [&](const QString& name) {
        ClickClient(main, SaveButton.x(), SaveButton.y());
        WaitWindow(QStringLiteral("特效保存"), "the save dialog shows");
        Keys("ctrl+a");
        Type(name);
        Keys("Return");
    };
    saveAs(QStringLiteral("saved"));
    if (!AnswerBoxWith(QStringLiteral("确认"), "Return"))
        Fail("saving over a page asks");
    WaitWindow(QStringLiteral("特效保存"), "the save dialog comes back after No");
    Keys("Escape");
    WaitGone(QStringLiteral("特效保存"), "the save dialog is cancelled");
    if (ReadFile(target + ".htm") != "older page")
        Fail("No keeps the page");
    // ... and a read-only page is refused and stays as it was.
    const QString locked = ProgramFolder + "/locked.htm";
    WriteFile(locked, "locked page");
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    saveAs(QStringLiteral("locked"));
    if (!AnswerBox(QStringLiteral("错误")))
        Fail("a read-only page is refused");
    WaitWindow(QStringLiteral("特效保存"), "the save dialog comes back after the refusal");
    Keys("Escape");
    WaitGone(QStringLiteral("特效保存"), "the save dialog is cancelled");
    if (ReadFile(locked) != "locked page")
        Fail("the read-only page is unchanged");
}

// The code window colours the effect's tokens: its picture holds strokes of at least five
// hues (twelve sectors of 30 degrees, each counted from 12 saturated pixels on).
void CodeShowsColours(const Window& main, const QString& name) {
    const QImage screen = ScreenImage();
    const QRect code(main.clientLeft + 183, main.clientTop + 73, 479, 269);
    screen.copy(code).save(Output + "/" + name);
    int sectors[12] = {};
    for (int y = code.top(); y <= code.bottom(); ++y) {
        for (int x = code.left(); x <= code.right(); ++x) {
            const QColor pixel = screen.pixelColor(x, y);
            if (pixel.hsvSaturationF() > 0.4f && pixel.valueF() > 0.2f)
                ++sectors[std::clamp(pixel.hsvHue(), 0, 359) / 30];
        }
    }
    const int hues = int(std::count_if(std::begin(sectors), std::end(sectors),
                                       [](int pixels) { return pixels >= 12; }));
    if (hues < 5)
        Fail("the code window colours the code", QString::number(hues) + " hues");
}

// The UTF-8 effect reads as it was written in the code window (through the clipboard), its
// preview gets its Chinese, and "保存特效" writes it in UTF-8 again.
void OpenUtf8Effect(const Window& main, int index) {
    OpenEffect(main, index, Utf8Code);
    CodeShowsColours(main, "program_code_colours.png");
    PreviewShows(main, Green, "program_preview_utf8.png");
    ClickClient(main, SaveButton.x(), SaveButton.y());
    WaitWindow(QStringLiteral("特效保存"), "the save dialog shows");
    Keys("ctrl+a");
    Type(QStringLiteral("utf8page"));
    Keys("Return");
    WaitGone(QStringLiteral("特效保存"), "the save dialog closes");
    const QString page = ProgramFolder + "/utf8page.htm";
    if (!WaitFor([&] { return QFile::exists(page); }, 3000) ||
        ReadFile(page) != (Utf8Code + "\r\n").toUtf8())
        Fail("the saved page is the UTF-8 effect's text in UTF-8",
             QString::fromUtf8(ReadFile(page)));
}

// A click on the previewed page opens its pop-up; closed from the keyboard as any window
// is, it goes, and the preview and the program go on.
void PopupCloses(const Window& main, int index) {
    OpenEffect(main, index, PopupCode);
    const Window preview = OpenPreview(main, Red, "program_preview_popup_page.png");
    const QPoint middle = PreviewMiddle(preview);
    ClickClient(preview, middle.x() - preview.clientLeft, middle.y() - preview.clientTop);
    const QString popup = WaitWindow(PopupTitle, "a click on the page opens its pop-up");
    Pump(500);
    Shot("program_preview_popup.png");
    // Wherever the page or the window manager puts it, its caption is on the screen.
    if (const Window w = Locate(popup, 320, 200); w.y < 8)
        Fail("the pop-up's caption is on the screen", QStringLiteral("content at y %1").arg(w.y));
    Xdotool({"windowactivate", "--sync", popup});
    // The keys go where the keyboard is: on a loaded machine it can follow the activation late.
    const auto popupHasKeyboard = [&] {
        return Run(QStringLiteral("xdotool"), {"getwindowfocus"}).toULongLong() ==
               popup.toULongLong();
    };
    if (!WaitFor(popupHasKeyboard, 5000))
        Fail("the activated pop-up has the keyboard");
    Keys("alt+F4");
    WaitGone(PopupTitle, "alt+F4 closes the pop-up");
    Pump(600); // the pop-up is deleted a moment after it hides
    if (Program->state() != QProcess::Running)
        Fail("the program goes on after the pop-up closed");
    if (!FindWindow(QStringLiteral("zarvo特效预览")))
        Fail("the preview window stays when its pop-up closes");
    Xdotool({"windowactivate", "--sync", preview.id});
    Keys("Escape");
    WaitGone(QStringLiteral("zarvo特效预览"), "Escape closes the preview");
}

void DeleteOpened() {
    Keys("alt+f");
    Pump(400);
    Keys("d");
}

void WriteRecordingBrowser() {
    const QString script = Root + "/bin/xdg-open";
    WriteFile(script, "#!/bin/sh\necho \"$@\" >> \"" + (Root + "/xdg-open.log").toUtf8() + "\"\n");
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Without a browser or the desktop's opener, previewing in the browser says so in a box, and
// the guide (F1) opens in the program's own window.
void WithoutABrowser() {
    const QString empty = Root + "/nothing-on-the-path";
    QDir().mkpath(empty);
    Window main = StartProgram(empty);
    TypeCategory(main);
    OpenEffect(main, 0, Gbk::Decode(ColourPage("#c81e1e", RedEffect)));
    ClickClient(main, BrowserButton.x(), BrowserButton.y());
    WaitWindow(QStringLiteral("错误"), "no browser is reported");
    Shot("program_no_browser.png");
    AnswerBox(QStringLiteral("错误"));
    Xdotool({"windowactivate", "--sync", main.id});
    Keys("F1");
    const QString help =
        WaitWindow(QStringLiteral("zarvo网页特效帮助"), "F1 opens the guide in the program", 20000);
    Pump(3000);
    Shot("program_guide_window.png", help);
    StopProgram();
}

// A window manager's view of a window: its WM_STATE ("Normal", "Iconic") and whether the
// manager lists it (its taskbar entry).
QString WindowState(const QString& id) {
    const QString state = Run(QStringLiteral("xprop"), {"-id", id, "WM_STATE"});
    return state.section("window state: ", 1).section('\n', 0, 0).trimmed();
}
bool Listed(const QString& id) {
    const QString list = Run(QStringLiteral("xprop"), {"-root", "_NET_CLIENT_LIST"});
    return list.contains(QStringLiteral("0x%1").arg(id.toULongLong(), 0, 16));
}

// The program's icon in tint2's notification area: a small window below the panel's.
QString TrayIconWindow() {
    const QStringList lines = Run(QStringLiteral("xwininfo"), {"-root", "-tree"}).split('\n');
    const QRegularExpression small(QStringLiteral("\\b(16|22|24)x(16|22|24)\\+"));
    bool belowPanel = false;
    for (const QString& line : lines) {
        belowPanel = belowPanel || line.contains(QStringLiteral("\"tint2\""));
        if (belowPanel && line.contains(QStringLiteral("\"zarvofx\"")) &&
            small.match(line).hasMatch())
            return line.trimmed().section(' ', 0, 0);
    }
    return QString();
}

// Into the tray through the system menu and back with a double click on the icon, three
// times: the window comes back each time, not minimised, and the icon goes.
void TrayRoundTrips(const Window& main) {
    for (int round = 0; round < 3; ++round) {
        Xdotool(
            {"mousemove", QString::number(main.x + main.width / 2), QString::number(main.y + 8)});
        Pump(200);
        Xdotool({"click", "3"});
        Pump(600);
        Keys("t");
        QString icon;
        if (!WaitFor([&] { return !(icon = TrayIconWindow()).isEmpty(); }, 5000))
            Fail("minimise-to-tray shows the icon");
        if (round == 0)
            Shot("program_in_tray.png");
        Pump(300);
        Xdotool({"mousemove", "--window", icon, "8", "8"});
        Pump(300);
        Xdotool({"click", "--repeat", "2", "--delay", "60", "1"});
        if (!WaitFor([&] { return WindowState(main.id) == "Normal" && FindWindow(MainTitle); },
                     5000))
            Fail("a double click on the tray icon restores the window", WindowState(main.id));
        if (!WaitFor([&] { return TrayIconWindow().isEmpty(); }, 5000))
            Fail("the tray icon goes when the window is back");
    }
}

// A desktop without a notification area (no panel): minimise-to-tray leaves a taskbar entry,
// and a second start brings the window back.
void WithoutANotificationArea() {
    const QByteArray mainDisplay = qgetenv("DISPLAY");
    int n = 150;
    while (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) ||
           QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
        ++n;
    const QString display = QStringLiteral(":%1").arg(n);
    QProcess xvfb, openbox;
    xvfb.start("Xvfb", {display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    qputenv("DISPLAY", display.toLatin1());
    auto desktopAnswers = [] {
        QProcess probe;
        probe.setStandardOutputFile(QProcess::nullDevice());
        probe.setStandardErrorFile(QProcess::nullDevice());
        probe.start("xdpyinfo", {});
        return probe.waitForFinished(5000) && probe.exitCode() == 0;
    };
    if (!WaitFor(desktopAnswers, 10000))
        Fail("a second desktop starts");
    openbox.start("openbox", {});
    Pump(1000);

    Window main = StartProgram();
    // The system menu (right button on the caption) has the tray item "最小化到系统托盘区(&T)".
    Xdotool({"mousemove", QString::number(main.x + main.width / 2), QString::number(main.y + 8)});
    Pump(200);
    Xdotool({"click", "3"});
    Pump(600);
    Keys("t");
    if (!WaitFor([&] { return WindowState(main.id) == "Iconic"; }, 5000))
        Fail("minimise-to-tray without a tray minimises", WindowState(main.id));
    Pump(500);
    if (!Listed(main.id))
        Fail("the minimised window keeps its taskbar entry");

    QProcess second;
    second.setProcessChannelMode(QProcess::ForwardedChannels);
    second.start(ProgramFolder + "/zarvofx", {});
    if (!AnswerBox(QStringLiteral("信息"), 20000))
        Fail("a second start says the program runs");
    if (second.state() != QProcess::NotRunning && !second.waitForFinished(10000))
        Fail("the second copy ends");
    if (!WaitFor([&] { return WindowState(main.id) == "Normal"; }, 5000))
        Fail("a second start brings the first copy's window back", WindowState(main.id));
    Pump(500);
    Shot("program_second_start_restores.png");
    StopProgram();
    openbox.terminate();
    openbox.waitForFinished(3000);
    xvfb.terminate();
    xvfb.waitForFinished(3000);
    qputenv("DISPLAY", mainDisplay);
}

} // namespace

// The saved skin's frame picture cut short: the program starts with one message, in the
// default look with its menu bar (a menu opens under the mouse), and a second copy is still
// refused.
void BrokenSavedSkin() {
    const QString frame = ProgramFolder + "/skins/skin1/frame.bmp";
    const QByteArray picture = ReadFile(frame);
    WriteFile(frame, picture.left(picture.size() / 3));
    UseSkin(QStringLiteral("skins\\skin1\\skin.ini"));
    const QByteArray settings = ReadFile(ProgramFolder + "/zarvofx.Ini");

    Program = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PATH", Root + "/bin:" + env.value("PATH"));
    env.insert("QT_QPA_PLATFORM", "xcb");
    Program->setProcessEnvironment(env);
    Program->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    Program->start(ProgramFolder + "/zarvofx", {});
    if (!Program->waitForStarted(5000))
        Fail("start zarvofx with a broken skin");
    WaitWindow(QStringLiteral("错误"), "the broken skin is reported", 20000);
    Shot("program_broken_skin_message.png");
    if (!AnswerBox(QStringLiteral("错误")))
        Fail("answer the broken skin's message");
    const Window main = Locate(WaitWindow(MainTitle, "the main window shows after the message"),
                               MainClientWidth, MainClientHeight);
    if (AnswerBox(QStringLiteral("错误"), 1500) || AnswerBox(QStringLiteral("信息"), 500))
        Fail("only one message at start");
    Xdotool({"windowactivate", "--sync", main.id});
    Pump(300);

    // "文件(&F)" at the left of the menu bar: its menu covers the effect area below it.
    const QPoint below(main.clientLeft + 30, main.clientTop + 22 + 40);
    const QRgb before = ScreenImage().pixel(below);
    ClickClient(main, 20, 11);
    QRgb seen = before;
    WaitFor([&] { return (seen = ScreenImage().pixel(below)) != before; }, 3000);
    Shot("program_broken_skin_menu.png");
    if (seen == before)
        Fail("the menu bar opens its menu with the mouse");
    Keys("Escape");

    // A second copy: told, and it ends; the first one goes on.
    QProcess second;
    second.setProcessEnvironment(env);
    second.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    second.start(ProgramFolder + "/zarvofx", {});
    if (!second.waitForStarted(5000))
        Fail("start a second copy");
    // The second copy reports the skin as well, then that it is not alone.
    AnswerBox(QStringLiteral("错误"), 20000);
    if (!AnswerBox(QStringLiteral("信息"), 20000))
        Fail("the second copy is refused");
    // It may have ended already while its boxes were answered.
    second.waitForFinished(10000);
    if (second.state() != QProcess::NotRunning)
        Fail("the second copy ends");
    if (Program->state() != QProcess::Running || !FindWindow(MainTitle))
        Fail("the first copy goes on");
    if (ReadFile(ProgramFolder + "/zarvofx.Ini") != settings)
        Fail("the saved skin entry is left alone");
    StopProgram();
    WriteFile(frame, picture);
}

// The preview page a link to a file outside: a preview writes the page, not that file.
void LinkedPreviewPage() {
    const QString outside = Root + "/outside.txt";
    const QByteArray secret = "do not overwrite\n";
    WriteFile(outside, secret);
    const QString page = ProgramFolder + "/zarvotemp/zarvotemp.htm";
    QFile::remove(page);
    if (!QFile::link(outside, page))
        Fail("link the preview page");
    UseSkin(QString());
    const Window main = StartProgram();
    TypeCategory(main);
    OpenEffect(main, 0, Gbk::Decode(ColourPage("#c81e1e", RedEffect)));
    PreviewShows(main, Red, "program_preview_linked_page.png");
    if (ReadFile(outside) != secret)
        Fail("the linked file is unchanged");
    if (QFileInfo(page).isSymLink() || ReadFile(page) != ColourPage("#c81e1e", RedEffect))
        Fail("the preview page is a file of its own with the effect");
    StopProgram();
}

// The default look, driven through every command.
void EveryCommand() {
    UseSkin(QString());
    Window main = StartProgram();
    Shot("program_main_default.png", main.id);
    TypeCategory(main);
    OpenEffect(main, 0, Gbk::Decode(ColourPage("#c81e1e", RedEffect)));
    PreviewShows(main, Red, "program_preview.png");
    OpenEffect(main, 1, Gbk::Decode(ColourPage("#2050c8", BlueEffect)));
    PreviewShows(main, Blue, "program_preview_second.png", CloseBy::Escape);

    ClickClient(main, BrowserButton.x(), BrowserButton.y());
    const QString log = Root + "/xdg-open.log";
    if (!WaitFor([&] { return ReadFile(log).contains("zarvotemp/zarvotemp.htm"); }, 5000))
        Fail("the default browser gets the preview file", QString::fromUtf8(ReadFile(log)));
    if (ReadFile(ProgramFolder + "/zarvotemp/zarvotemp.htm") != ColourPage("#2050c8", BlueEffect))
        Fail("the preview file holds the memo's text");

    AddThroughTheDialog(main);
    // Listed first now (the names sort alike in every order used).
    OpenEffect(main, 0, NewCode);
    SaveAsPage(main);

    DeleteOpened();
    if (!AnswerBox(QStringLiteral("信息")) || !AnswerBox(QStringLiteral("信息")))
        Fail("the question and the success message of the deletion");
    if (QFile::exists(ProgramFolder + "/data/" + Category + "/" + NewEffect))
        Fail("the deleted effect is gone");

    OpenEffect(main, 2, QStringLiteral("<p>说明</p>"));
    DeleteOpened();
    if (!AnswerBox(QStringLiteral("信息")) || !AnswerBox(QStringLiteral("错误")))
        Fail("the protected effect is refused");
    if (!QFile::exists(ProgramFolder + "/data/" + Category + "/" + Protected))
        Fail("the protected effect stays");
    OpenUtf8Effect(main, 3);
    PopupCloses(main, 4);
    TrayRoundTrips(main);
    StopProgram();
}

// Desktops without a browser or a notification area, the main window in every installed
// skin, a broken saved skin and a linked preview page.
void LooksAndFaults() {
    WithoutABrowser();
    WithoutANotificationArea();
    const QStringList skins =
        QDir(ProgramFolder + "/skins").entryList({"skin*"}, QDir::Dirs, QDir::Name);
    Xdotool({"mousemove", "1200", "700"}); // no tooltip in the pictures
    for (const QString& skin : skins) {
        UseSkin("skins\\" + skin + "\\skin.ini");
        const Window main = StartProgram();
        Shot("program_main_" + skin + ".png", main.id);
        StopProgram();
    }
    BrokenSavedSkin();
    LinkedPreviewPage();
}

int main(int argc, char** argv) {
    Root = StartScreenSession(argc, "program-screen");
    QApplication app(argc, argv);
    const QString staged = QString::fromLocal8Bit(argv[1]);
    Output = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    Part = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    if (!Part.isEmpty() && Part != "commands" && Part != "looks") {
        std::fprintf(stderr, "program-screen: the part is commands or looks\n");
        return 2;
    }
    QDir().mkpath(Output);
    MapCharactersToSpareKeys(Category + NewEffect + NewCode);
    BuildProgramFolder(staged);
    WriteRecordingBrowser();
    if (Part != "looks")
        EveryCommand();
    if (Part != "commands")
        LooksAndFaults();
    QDir(Root).removeRecursively();
    std::printf("program screen test passed; screenshots in %s\n", qPrintable(Output));
    return 0;
}
