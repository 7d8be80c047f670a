// A small form with one of each framework control, for looking at them on a desktop.
//
//   zarvo-demo [--skinned | --skin DIR] [--quit-after MS [--screenshot FILE]]
//   zarvo-demo --dialogs open|save [--skin DIR] [--initial-dir DIR] [--file-name NAME]
//              [--filter FILTER] [--quit-after MS [--screenshot FILE]]
//
// --quit-after ends it after MS milliseconds; --screenshot then saves the screen (or, without
// one, the form) to FILE just before it ends. The pointer is put over the button, so the
// screenshot shows its tooltip. --skinned shows the skinned demo window instead (message
// boxes of each kind, minimise to the tray); --skin DIR shows it wearing the skin in DIR.
// --dialogs runs the skinned open or save dialog once (in the skin of --skin) and prints
// its answer.

#include "framework/Canvas.h"
#include "framework/Dialogs.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/Grids.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"

#include "ToolCli.h"
#include "demo/DialogDemo.h"
#include "demo/SkinDemoForm.h"

#include <QApplication>
#include <QCursor>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>

namespace {

// A push button drawn with the classic raised edge.
class DemoButton : public TCustomControl {
public:
    explicit DemoButton(QWidget* parent) : TCustomControl(parent) { SetTabStop(true); }

protected:
    void Paint() override {
        TCanvas* c = Canvas();
        TRect r = ClientRect();
        c->Brush.Color = FDown ? RGB(133, 147, 181) : clBtnFace;
        c->FillRect(r);
        c->Pen.Color = FDown ? clBtnShadow : clBtnHighlight;
        c->MoveTo(r.Left, r.Bottom - 1);
        c->LineTo(r.Left, r.Top);
        c->LineTo(r.Right - 1, r.Top);
        c->Pen.Color = FDown ? clBtnHighlight : cl3DDkShadow;
        c->LineTo(r.Right - 1, r.Bottom - 1);
        c->LineTo(r.Left - 1, r.Bottom - 1);
        c->Font.Assign(*Font());
        c->Brush.Style = bsClear;
        if (FDown)
            r.Offset(1, 1);
        c->DrawText(Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        c->Brush.Style = bsSolid;
    }
    void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
        FDown = b == mbLeft;
        update();
        TCustomControl::MouseDown(b, s, x, y);
    }
    void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
        FDown = false;
        update();
        TCustomControl::MouseUp(b, s, x, y);
    }

private:
    bool FDown = false;
};

// A caption without a window of its own.
class DemoLabel : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override {
        TCanvas* c = Canvas();
        c->Font.Assign(*Font());
        c->Brush.Style = bsClear;
        TRect r = ClientRect();
        c->DrawText(Caption(), r, DT_LEFT | DT_WORDBREAK);
        c->Brush.Style = bsSolid;
    }
};

// A panel showing what the canvas draws: colours, lines, shapes and text.
class DemoPanel : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override {
        TCanvas* c = Canvas();
        TRect r = ClientRect();
        c->Brush.Color = clWindow;
        c->Pen.Color = clBtnShadow;
        c->Rectangle(r);
        const TColor colors[] = {clRed, clLime, clBlue, clYellow, clFuchsia, clAqua, clNavy};
        int x = 8;
        for (TColor color : colors) {
            c->Brush.Color = color;
            c->Pen.Color = clBlack;
            c->Rectangle(x, 8, x + 18, 26);
            x += 22;
        }
        c->Pen.Color = clMaroon;
        for (int i = 0; i < 6; ++i) {
            c->MoveTo(8, 34 + i * 3);
            c->LineTo(160, 34 + i * 9);
        }
        c->Brush.Color = RGB(201, 201, 201);
        c->Pen.Color = clPurple;
        c->Ellipse(170, 8, 230, 60);
        c->Font.Assign(*Font());
        c->Font.SetColor(clNavy);
        c->Font.SetStyle({fsBold});
        c->Brush.Style = bsClear;
        c->TextOut(8, 92, QStringLiteral("画布 Canvas: 农历丙戌(狗年)七月廿二"));
        c->Brush.Style = bsSolid;
    }
};

TBitmap MakePicture(int w, int h) {
    TBitmap bmp(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bmp.SetPixel(x, y, RGB(60 + x * 150 / w, 90 + y * 120 / h, 200));
    // A white corner marks the transparent colour (the bottom-left pixel).
    bmp.Canvas().Brush.Color = clWhite;
    bmp.Canvas().FillRect(TRect(0, h - 12, 12, h));
    bmp.Canvas().Brush.Color = clYellow;
    bmp.Canvas().Pen.Color = clMaroon;
    bmp.Canvas().Ellipse(w / 2 - 14, h / 2 - 14, w / 2 + 14, h / 2 + 14);
    return bmp;
}

class DemoForm : public TForm {
public:
    explicit DemoForm(QObject* owner) : TForm(owner) {
        SetCaption(QStringLiteral("zarvo 控件演示"));
        SetBorderStyle(bsSingle);
        SetPosition(poScreenCenter);
        Font()->SetName(QStringLiteral("宋体"));
        Font()->SetHeight(-12);
        SetClientSize(640, 400);
        SetShowHint(true);

        auto* panel = new DemoPanel(this);
        panel->SetBounds(8, 8, 300, 120);

        Image = new TImage(this);
        Image->SetBounds(316, 8, 150, 120);
        Image->SetPicture(MakePicture(150, 120));
        Image->SetTransparent(true);
        Image->SetHint(QStringLiteral("图片|一张透明图片"));

        auto* grid = new TDrawGrid(this);
        grid->SetBounds(474, 8, 158, 120);
        grid->SetColCount(7);
        grid->SetRowCount(5);
        grid->SetFixedCols(0);
        grid->SetFixedRows(1);
        grid->SetDefaultColWidth(21);
        grid->SetDefaultRowHeight(21);
        grid->OnDrawCell = [grid](TObject*, int col, int row, TRect rect, TGridDrawState) {
            static const char* days[] = {"日", "一", "二", "三", "四", "五", "六"};
            QString text =
                row == 0 ? QString::fromUtf8(days[col]) : QString::number((row - 1) * 7 + col + 1);
            grid->Canvas()->Brush.Style = bsClear;
            grid->Canvas()->DrawText(text, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            grid->Canvas()->Brush.Style = bsSolid;
        };
        grid->SetHint(QStringLiteral("日历表格"));

        auto* label = new DemoLabel(this);
        label->SetBounds(8, 136, 300, 36);
        label->SetCaption(QStringLiteral("把鼠标放在按钮上，提示窗口会出现。状态栏显示长提示。"));

        auto* edit = new TEdit(this);
        edit->SetBounds(316, 136, 150, 21);
        edit->SetText(QStringLiteral("2006"));
        edit->SetHint(QStringLiteral("选择年份"));

        Button = new DemoButton(this);
        Button->SetBounds(8, 180, 105, 25);
        Button->SetCaption(QStringLiteral("复制代码"));
        Button->SetHint(QStringLiteral("复制代码|把代码复制到剪贴板"));
        auto* second = new DemoButton(this);
        second->SetBounds(128, 180, 75, 25);
        second->SetCaption(QStringLiteral("关于"));
        second->SetHint(QStringLiteral("关于zarvo万年历"));
        second->OnClick = [](TObject*) {
            MessageBox(QStringLiteral("欢迎您使用zarvo软件！"), QStringLiteral("zarvo万年历"),
                       TMessageBoxIcon::Information, TMessageBoxButtons::OK);
        };

        auto* memo = new TMemo(this);
        memo->SetBounds(8, 216, 300, 150);
        memo->SetScrollBars(ssVertical);
        for (const char* line : {"<script>", "document.write(\"zarvo 网页特效\");", "</script>"})
            memo->Lines()->Add(QString::fromUtf8(line));

        auto* list = new TListBox(this);
        list->SetBounds(316, 216, 150, 150);
        for (const char* item : {"背景特效", "菜单特效", "时间日期", "图片特效", "文字特效"})
            list->Items()->Add(QString::fromUtf8(item));
        list->SetItemIndex(1);

        Status = new TStatusBar(this);
        for (int w : {160, 180, 50})
            Status->Panels()->Add()->SetWidth(w);
        Status->Panels()->Items(0)->SetText(QStringLiteral("公历: 2006年8月15日"));
        Status->Panels()->Items(1)->SetText(QStringLiteral("农历: 丙戌(狗年)七月廿二"));
        Status->Panels()->Items(2)->SetText(QStringLiteral("12:00"));

        auto* popup = new TPopupMenu(this);
        auto* item = new TMenuItem(popup);
        item->SetCaption(QStringLiteral("复制(&C)"));
        popup->Items()->Add(item);
        SetPopupMenu(popup);

        Application->OnHint = [this](TObject*) {
            Status->Panels()->Items(0)->SetText(Application->Hint().isEmpty()
                                                    ? QStringLiteral("公历: 2006年8月15日")
                                                    : Application->Hint());
        };
    }

    TImage* Image = nullptr;
    DemoButton* Button = nullptr;
    TStatusBar* Status = nullptr;
};

} // namespace

namespace {

const ToolCli::TOption QuitAfterOption{QStringLiteral("--quit-after"), QStringLiteral("MS"),
                                       QStringLiteral("end after MS milliseconds (0 or more)")};
const ToolCli::TOption ScreenshotOption{
    QStringLiteral("--screenshot"), QStringLiteral("FILE"),
    QStringLiteral("with --quit-after: save a PNG screenshot to FILE just before ending")};

const ToolCli::TOption SkinnedOption{QStringLiteral("--skinned"), QString(),
                                     QStringLiteral("show the skinned demo window instead")};
const ToolCli::TOption SkinOption{
    QStringLiteral("--skin"), QStringLiteral("DIR"),
    QStringLiteral("show the skinned demo window wearing the skin in DIR")};

const ToolCli::TOption DialogsOption{
    QStringLiteral("--dialogs"), QStringLiteral("MODE"),
    QStringLiteral("run the skinned open or save dialog (MODE open or save) once and print\n"
                   "\"accepted PATH\" (exit 0) or \"cancelled\" (exit 3)")};
const ToolCli::TOption InitialDirOption{QStringLiteral("--initial-dir"), QStringLiteral("DIR"),
                                        QStringLiteral("with --dialogs: the folder to start in")};
const ToolCli::TOption FileNameOption{QStringLiteral("--file-name"), QStringLiteral("NAME"),
                                      QStringLiteral("with --dialogs: the preset file name")};
const ToolCli::TOption FilterOption{
    QStringLiteral("--filter"), QStringLiteral("FILTER"),
    QStringLiteral("with --dialogs: the filter list (\"description|mask|...\")")};

const ToolCli::TToolInfo& Tool() {
    static const ToolCli::TToolInfo tool{
        QStringLiteral("zarvo-demo"),
        {QStringLiteral("[--skinned | --skin DIR] [--quit-after MS [--screenshot FILE]]"),
         QStringLiteral("--dialogs open|save [--skin DIR] [--initial-dir DIR] [--file-name NAME] "
                        "[--filter FILTER] [--quit-after MS [--screenshot FILE]]")},
        QStringLiteral("Shows a form with one of each framework control, to look at on a desktop.\n"
                       "The pointer is put over a button, so its hint shows. A screenshot that\n"
                       "cannot be written ends the program with exit code 1.\n"
                       "The skinned demo window has a button for each kind of message box and\n"
                       "one that minimises it into the tray; a double click on the tray icon\n"
                       "brings it back. Each answer of a box is printed as \"answer N\".\n"),
        {QuitAfterOption, ScreenshotOption, SkinnedOption, SkinOption, DialogsOption,
         InitialDirOption, FileNameOption, FilterOption}};
    return tool;
}

// The screen (or, without one, the form) as a picture.
QPixmap Screenshot(TForm* form) {
    QScreen* screen = QGuiApplication::primaryScreen();
    QPixmap shot = screen ? screen->grabWindow(0) : QPixmap();
    return shot.isNull() ? form->grab() : shot;
}

} // namespace

int main(int argc, char** argv) {
    return ToolCli::RunTool(Tool(), argc, argv, [&](const QStringList& args) {
        const ToolCli::TArguments arguments = ToolCli::Parse(args, Tool().Options);
        arguments.ExpectPositional(0, 0, QString());
        const bool quits = arguments.IsSet(QuitAfterOption.Name);
        const int quitAfter = quits ? ToolCli::IntegerValue(arguments, QuitAfterOption.Name, 0) : 0;
        const QString screenshot = arguments.Value(ScreenshotOption.Name);
        const bool skinned =
            arguments.IsSet(SkinnedOption.Name) || arguments.IsSet(SkinOption.Name);
        if (arguments.IsSet(SkinOption.Name) && arguments.Value(SkinOption.Name).isEmpty())
            throw ToolCli::UsageError{QStringLiteral("--skin needs a folder")};
        if (arguments.IsSet(ScreenshotOption.Name) && !quits)
            throw ToolCli::UsageError{QStringLiteral("--screenshot needs --quit-after")};
        if (arguments.IsSet(ScreenshotOption.Name) && screenshot.isEmpty())
            throw ToolCli::UsageError{QStringLiteral("--screenshot needs a file name")};
        // A screenshot that can never be written fails at once rather than after the wait.
        if (!screenshot.isEmpty())
            ToolCli::TAtomicFile probe(screenshot);

        QApplication app(argc, argv);
        Application->SetTitle(QStringLiteral("zarvo demo"));
        if (arguments.IsSet(DialogsOption.Name)) {
            const QString mode = arguments.Value(DialogsOption.Name);
            if (mode != QLatin1String("open") && mode != QLatin1String("save"))
                throw ToolCli::UsageError{QStringLiteral("--dialogs needs open or save")};
            TDialogDemoRun run;
            run.Save = mode == QLatin1String("save");
            run.SkinFolder = arguments.Value(SkinOption.Name);
            run.InitialDir = arguments.Value(InitialDirOption.Name);
            run.FileName = arguments.Value(FileNameOption.Name);
            run.Filter = arguments.Value(FilterOption.Name);
            run.QuitAfter = quits ? quitAfter : -1;
            run.ScreenshotFile = screenshot;
            return RunDialogDemo(run);
        }
        Application->HintPause = 300;
        Application->HintHidePause = 10000;
        TForm* form = nullptr;
        if (skinned) {
            form = new TSkinDemoForm(Application.operator->(), arguments.Value(SkinOption.Name));
            Application->SetMainForm(form);
        } else {
            DemoForm* demo = nullptr;
            Application->CreateForm(&demo);
            form = demo;
            // Put the pointer over the button once the window is up, so its hint shows.
            QTimer::singleShot(400, demo, [demo] {
                QCursor::setPos(demo->Button->ClientToScreen(TPoint(40, 12)).ToQPoint());
            });
        }

        QString failure;
        if (quits) {
            QTimer::singleShot(quitAfter, form, [form, screenshot, &failure] {
                if (!screenshot.isEmpty()) {
                    try {
                        const QPixmap shot = Screenshot(form);
                        ToolCli::WriteAtomically(screenshot, [&](const QString& path) {
                            return shot.save(path, "PNG");
                        });
                    } catch (const ToolCli::Failure& error) {
                        failure = error.Message;
                    }
                }
                Application->Terminate();
            });
        }
        const int code = Application->Run();
        if (!failure.isEmpty())
            throw ToolCli::Failure{failure};
        return code;
    });
}
