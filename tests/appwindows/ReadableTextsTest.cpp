// Every text of the program's skinned windows (captions, the menu bar, labels, buttons,
// boxes, the status line, message boxes of every kind, the add and save dialogs) stands out
// from what it stands on by at least 4.5 : 1, in every installed skin and in the default
// look. Each window is pictured as it is shown and again with all its texts cleared; the
// pixels that differ are the text's (TextContrast.h). The pictures are kept in
// output/readable_texts.

#include "DesktopFixture.h"
#include "EngineWait.h"
#include "TextContrast.h"

#include "app/MakerLinks.h"
#include "app/PreviewSetup.h"
#include "app/Unit4.h"
#include "framework/ExtCtrls.h"
#include "framework/Timers.h"
#include "skinforms/bsMessages.h"
#include "skinforms/bsSkinForm.h"
#include "skinforms/bsSkinMainMenu.h"
#include "skinctrls/bsSkinButton.h"
#include "skinctrls/bsSkinComboBox.h"
#include "skinforms/bsSkinDialogs.h"
#include "skinctrls/bsSkinShellCtrls.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {

constexpr double Readable = 4.5;

struct TShownText {
    QString Name;
    QRegion Area; // window coordinates
};

QString NameOf(const QObject* object) {
    const QString name = object->objectName();
    return QString::fromLatin1(object->metaObject()->className()) +
           (name.isEmpty() ? QString() : " " + name);
}

// Clears every text `window` shows (its caption, its menu bar's titles, its controls'
// texts) and answers where each one was: a control's area without the controls inside it
// that show texts of their own. A control whose text is shown by one of its inner controls
// (a combo box's edit) is left to that one.
std::vector<TShownText> ClearTexts(TForm* window) {
    std::vector<TShownText> texts;
    if (!window->Text().isEmpty()) {
        texts.push_back({"caption", QRegion(0, 0, window->width(), window->ClientArea()->y())});
        window->SetText(QString());
    }
    // Disabled controls are left out: their greyed texts say that they cannot be used.
    std::vector<TControl*> shown;
    for (TControl* control : window->findChildren<TControl*>())
        if (control->isVisibleTo(window) && control->isEnabled() && !control->Text().isEmpty())
            shown.push_back(control);
    const auto rectOf = [window](QWidget* w) {
        return QRect(w->mapTo(window, QPoint(0, 0)), w->size());
    };
    std::vector<std::pair<TControl*, QRegion>> areas;
    for (TControl* control : shown) {
        QRegion area(rectOf(control));
        bool textInside = false;
        for (TControl* other : shown)
            if (other != control && control->isAncestorOf(other)) {
                area -= rectOf(other);
                textInside |= other->Text() == control->Text();
            }
        if (!textInside)
            areas.emplace_back(control, area);
    }
    for (auto& [control, area] : areas)
        texts.push_back({NameOf(control) + " \"" + control->Text() + "\"", area});
    for (TControl* control : shown) {
        control->SetText(QString());
        // A list box shows its chosen item, whatever its text.
        if (auto* box = qobject_cast<TbsSkinCustomComboBox*>(control))
            box->SetItemIndex(-1);
    }
    for (TbsSkinMainMenuBar* bar : window->findChildren<TbsSkinMainMenuBar*>()) {
        if (!bar->isVisibleTo(window) || !bar->MainMenu())
            continue;
        TMenuItem* items = bar->MainMenu()->Items();
        for (int i = 0; i < items->Count(); ++i)
            items->Items(i)->SetCaption(QString());
        bar->RebuildItems();
        texts.push_back({NameOf(bar), QRegion(rectOf(bar))});
    }
    return texts;
}

// The pictures of buttons move with their captions; the buttons are measured without them.
void RemoveGlyphs(TForm* window) {
    for (TbsSkinButton* button : window->findChildren<TbsSkinButton*>())
        button->SetGlyph(TBitmap());
}

// The window once its fades and morphs have ended (or, when they have, once the changes
// just made to it are laid out).
constexpr int FadesEndMs = 400, ChangesShowMs = 50;
QImage Picture(QWidget* window, int settleMs = FadesEndMs) {
    QEventLoop settle;
    QTimer::singleShot(settleMs, &settle, &QEventLoop::quit);
    settle.exec();
    return window->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

class ReadableTexts : public DesktopFixture, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        DesktopFixture::SetUp();
        Install(QStringLiteral("skins"));
        Install(QStringLiteral("images"));
        look = QString::fromLatin1(GetParam());
        if (look != "default")
            ZarvoSettings::SetSkinPath("skins\\" + look + "\\skin.ini");
        // The window snapshots (tests/snapshots) ask for the pictures in a folder of theirs.
        output = qEnvironmentVariable("ZARVO_READABLE_OUTPUT",
                                      QStringLiteral(ZARVO_TEST_OUTPUT "/readable_texts"));
        QDir().mkpath(output);
    }
    void TearDown() override {
        std::printf("[ contrast ] %-8s worst %.2f : 1 (%s)\n", qPrintable(look), worst,
                    qPrintable(worstText));
        DesktopFixture::TearDown();
    }

    // Pictures the window, clears its texts, pictures it again and checks each text.
    void CheckWindow(TForm* window, const QString& name,
                     const std::function<std::vector<TShownText>()>& clear = {}) {
        QImage pictured = Picture(window);
        QPainter painter(&pictured);
        for (const QRect& part : unstable)
            painter.fillRect(part, Qt::magenta);
        painter.end();
        pictured.save(output + "/" + look + "_" + name + ".png");
        RemoveGlyphs(window);
        const QImage shown = Picture(window, ChangesShowMs);
        std::vector<TShownText> texts = ClearTexts(window);
        if (clear) {
            std::vector<TShownText> more = clear();
            texts.insert(texts.end(), more.begin(), more.end());
        }
        const QImage blank = Picture(window, ChangesShowMs);
        blank.save(output + "/" + look + "_" + name + "_without_texts.png");
        ASSERT_FALSE(texts.empty()) << name.toStdString();
        for (const TShownText& text : texts) {
            const TextContrast::TMeasure m = TextContrast::Measure(shown, blank, text.Area);
            const QString where = look + " " + name + ": " + text.Name;
            EXPECT_GT(m.TextPixels, 0) << where.toStdString() << " draws no text";
            if (m.TextPixels == 0)
                continue;
            EXPECT_GE(m.Ratio, Readable)
                << where.toStdString()
                << QStringLiteral(": %1 on %2")
                       .arg(m.Ink & 0xffffff, 6, 16, QLatin1Char('0'))
                       .arg(m.Background & 0xffffff, 6, 16, QLatin1Char('0'))
                       .toStdString();
            if (m.Ratio < worst) {
                worst = m.Ratio;
                worstText = where + QStringLiteral(" %1").arg(m.Ratio, 0, 'f', 2);
            }
        }
    }

    QString look, output;
    QRegion unstable; // window parts that differ from machine to machine, left out of pictures
    double worst = 21;
    QString worstText;
};

} // namespace

TEST_P(ReadableTexts, TheMainWindowsTextsStandOut) {
    // An effect is open: its code shows and the command buttons are enabled.
    AddEffect(Window, QStringLiteral("雪花"), "<p>snow</p>\r\n");
    TForm1* form = Start();
    Pick(form, Window);
    Open(form, QStringLiteral("雪花"));
    form->Timer1->SetEnabled(false);
    CheckWindow(form, "main");
}

TEST_P(ReadableTexts, MessageBoxesOfEveryKindStandOut) {
    TForm1* form = Start();
    const std::pair<TMsgDlgType, QString> boxes[] = {
        {mtWarning, QStringLiteral("程序正在关闭，请点击“确定”.")},
        {mtError, QStringLiteral("对不起，没有此项特效类别！")},
        {mtInformation, MakerInfo::DonationNotice()},
        {mtConfirmation, QStringLiteral("您真的要退出zarvo网页特效2008 qirra版吗？")},
        {mtCustom, QStringLiteral("删除歌曲成功！")}};
    int kind = 0;
    for (const auto& [type, text] : boxes) {
        const TMsgDlgButtons buttons =
            type == mtConfirmation ? TMsgDlgButtons{mbYes, mbNo} : TMsgDlgButtons{mbOK};
        std::unique_ptr<TbsMessageForm> box(
            form->bsSkinMessage1->CreateMessageForm(text, type, buttons));
        box->Show();
        CheckWindow(box.get(), QStringLiteral("message%1").arg(kind++));
    }
}

TEST_P(ReadableTexts, TheAddDialogsTextsStandOut) {
    StartWithAddDialog();
    addDialog->Show();
    CheckWindow(addDialog, "add");
}

// A page that looks the same on every load: fixed boxes and text, no script, no animation.
constexpr char FixturePage[] =
    "<html><body style=\"margin:0;background:#f0f4ff\">\r\n"
    "<div style=\"position:absolute;left:20px;top:20px;width:200px;height:80px;"
    "background:#2050a0\"></div>\r\n"
    "<div style=\"position:absolute;left:260px;top:40px;width:120px;height:120px;"
    "background:#e08020;border-radius:60px\"></div>\r\n"
    "<p style=\"position:absolute;left:20px;top:200px;font:16px sans-serif;margin:0\">"
    "preview 1234</p>\r\n</body></html>\r\n";

TEST_P(ReadableTexts, ThePreviewWindowsTextsStandOut) {
    PreparePreviewProcess();
    QDir().mkpath(folder + "zarvotemp");
    AddEffect(Window, QStringLiteral("页面"), FixturePage);
    TForm1* form = StartWithAddDialog();
    auto preview = std::make_unique<TForm4>();
    TForm4* window = preview.get();
    window->DoCreate();
    form->UseWindows(addDialog, window);
    dialogs.push_back(std::move(preview));
    Pick(form, Window);
    Open(form, QStringLiteral("页面"));
    bool loaded = false;
    window->WebBrowser1->OnLoadFinished = [&](bool ok) { loaded = ok; };
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(EngineWaitFor([&] { return loaded; }));
        CheckWindow(window, "preview");
        Click(window->bsSkinButton1);
    });
    Click(form->bsSkinButton2);
}

TEST_P(ReadableTexts, TheSaveDialogsTextsAndFileNamesStandOut) {
    // The save command on an open effect, starting in a folder of a fixed name.
    AddEffect(Window, QStringLiteral("雪花"), "<p>snow</p>\r\n");
    const QString saved = folder + QStringLiteral("特效保存/");
    TestEnv::WriteFile(saved + QStringLiteral("页面.htm"), "<p>1</p>\r\n");
    ZarvoSettings::RememberDialogFolder(QStringLiteral("save"), saved + QStringLiteral("页面.htm"));
    TForm1* form = Start();
    Pick(form, Window);
    Open(form, QStringLiteral("雪花"));
    QTimer::singleShot(50, [&] {
        TbsOpenDlgForm* running = form->bsSkinSaveDialog1->RunningForm();
        // The folder tree shows the machine's folders above the test's: not pictured.
        TbsSkinDirTreeView* tree = running->FolderTree();
        for (QWidget* part :
             std::initializer_list<QWidget*>{tree, tree->VScrollBar(), tree->HScrollBar()})
            unstable += QRect(part->mapTo(running, QPoint(0, 0)), part->size());
        CheckWindow(running, "save", [&] {
            TbsSkinFileListView* list = running->FileList();
            std::vector<TShownText> names{
                {"file names", QRegion(QRect(list->mapTo(running, QPoint(0, 0)), list->size()))}};
            list->SetMask(QStringLiteral("*.none"));
            return names;
        });
        running->SetModalResult(mrCancel);
    });
    Click(form->bsSkinButton5);
    EXPECT_EQ(form->bsSkinSaveDialog1->Title, QStringLiteral("特效保存"));
}

INSTANTIATE_TEST_SUITE_P(Looks, ReadableTexts,
                         ::testing::Values("default", "skin1", "skin2", "skin3", "skin4", "skin5",
                                           "skin6"));
