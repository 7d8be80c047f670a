// The code window's colours and face: every token colour readable on the window's
// backgrounds in every look, colours on screen that leave the text, the clipboard and the
// modified state alone, and the monospaced face remembered across starts.

#include "DesktopFixture.h"
#include "TextContrast.h"

#include "app/CodeColouring.h"
#include "skinctrls/bsSkinMemo.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <set>

namespace {

const QByteArray ColouredEffect =
    "<html><head><style>.flake { color: #fff }</style></head>\r\n"
    "<body onload=\"start()\"><!-- snow -->\r\n"
    "<div class=\"snow\">&nbsp;</div>\r\n"
    "<script>\r\n"
    "var count = 12; function start() { return /x+/.test('snow'); }\r\n"
    "</script></body></html>\r\n";

// How many colours of `palette` show as the cores of strokes in `picture` (pixels within a
// few steps of the colour; the edges are blended with the background).
int ColoursShown(const QImage& picture, const CodeColours::TColours& palette) {
    std::set<int> found;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QColor pixel = picture.pixelColor(x, y);
            for (int kind = 0; kind < CodeTokens::KindCount; ++kind) {
                const QColor& ink = palette[kind];
                if (std::abs(pixel.red() - ink.red()) <= 12 &&
                    std::abs(pixel.green() - ink.green()) <= 12 &&
                    std::abs(pixel.blue() - ink.blue()) <= 12)
                    found.insert(ink.rgb());
            }
        }
    }
    return int(found.size());
}

} // namespace

class CodeWindowLooks : public DesktopFixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(CodeWindowLooks, EveryTokenColourIsReadableOnTheCodeWindowsBackgrounds) {
    Install(QStringLiteral("skins"));
    const QString look = QString::fromLatin1(GetParam());
    if (look != "default")
        ZarvoSettings::SetSkinPath("skins\\" + look + "\\skin.ini");
    TForm1* form = Start();
    for (TColor background : form->bsSkinMemo21->Backgrounds()) {
        const QColor shown = ToQColor(background);
        for (int kind = 0; kind < CodeTokens::KindCount; ++kind) {
            const QColor ink = form->CodeColouring()->Colours()[kind];
            EXPECT_GE(TextContrast::Ratio(ink.rgb(), shown.rgb()), 4.5)
                << qPrintable(look) << " kind " << kind << " " << qPrintable(ink.name()) << " on "
                << qPrintable(shown.name());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Looks, CodeWindowLooks,
                         ::testing::Values("default", "skin1", "skin2", "skin3", "skin4", "skin5",
                                           "skin6"));

class CodeWindow : public DesktopFixture {};

TEST_F(CodeWindow, ColoursShowWithoutChangingTheTextItsCopyOrItsState) {
    Install(QStringLiteral("skins"));
    AddEffect(Window, QStringLiteral("雪花"), ColouredEffect);
    TForm1* form = Start();
    TbsSkinMemo2* memo = form->bsSkinMemo21;
    int changes = 0;
    memo->OnChange = [&](TObject*) { ++changes; };
    Pick(form, Window);
    Open(form, QStringLiteral("雪花"));
    changes = 0;
    TestEnv::Pump(50);
    EXPECT_EQ(changes, 0) << "colouring is no change of the text";
    const QImage picture = memo->Editor()->viewport()->grab().toImage();
    EXPECT_GE(ColoursShown(picture, form->CodeColouring()->Colours()), 5);
    picture.save(ZARVO_TEST_OUTPUT "/code_window_default.png");

    EXPECT_EQ(memo->Text().toLatin1(), ColouredEffect);
    EXPECT_FALSE(memo->Modified());
    EXPECT_FALSE(memo->CanUndo());
    Click(form->bsSkinButton1); // "复制代码"
    EXPECT_EQ(QGuiApplication::clipboard()->text().replace("\r\n", "\n"),
              QString::fromLatin1(ColouredEffect).replace("\r\n", "\n"));

    // The copy selected everything, which the memo does not show without the focus: the
    // colours stay.
    EXPECT_GE(ColoursShown(memo->Editor()->viewport()->grab().toImage(),
                           form->CodeColouring()->Colours()),
              5);

    // Another skin colours the text anew: still no change of the text.
    const CodeColours::TColours before = form->CodeColouring()->Colours();
    ZarvoSettings::SetSkinPath(QStringLiteral("skins\\skin6\\skin.ini"));
    form->bsSkinData1->LoadSkinFile(folder + "skins/skin6/skin.ini");
    TestEnv::Pump(50);
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(memo->Modified());
    EXPECT_EQ(memo->Text().toLatin1(), ColouredEffect);
    EXPECT_NE(form->CodeColouring()->Colours()[0], before[0]) << "skin6's memo is dark";
    const QImage dark = memo->Editor()->viewport()->grab().toImage();
    EXPECT_GE(ColoursShown(dark, form->CodeColouring()->Colours()), 5);
    dark.save(ZARVO_TEST_OUTPUT "/code_window_skin6.png");
}

TEST_F(CodeWindow, TheMonospacedFaceIsRememberedAndKeepsChineseInTheSkinsFace) {
    TForm1* form = Start();
    TbsSkinMemo2* memo = form->bsSkinMemo21;
    const QString face = memo->Editor()->font().family();
    EXPECT_FALSE(form->CodeFontItem->Checked());
    EXPECT_FALSE(memo->Monospaced());

    Click(form->CodeFontItem);
    EXPECT_TRUE(form->CodeFontItem->Checked());
    const QFont mono = memo->Editor()->font();
    ASSERT_EQ(mono.families().size(), 2);
    EXPECT_EQ(mono.families()[0], "DejaVu Sans Mono");
    EXPECT_EQ(mono.families()[1], face);
    const QFontMetrics metrics(mono);
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("iiii")),
              metrics.horizontalAdvance(QStringLiteral("WWWW")));
    EXPECT_TRUE(TestEnv::ReadFile(Paths::SettingsFilePath()).contains("monospace=1"));

    Stop();
    form = Start();
    EXPECT_TRUE(form->CodeFontItem->Checked());
    EXPECT_TRUE(form->bsSkinMemo21->Monospaced());
    Click(form->CodeFontItem);
    EXPECT_FALSE(form->bsSkinMemo21->Monospaced());
    EXPECT_EQ(form->bsSkinMemo21->Editor()->font().family(), face);
    EXPECT_TRUE(TestEnv::ReadFile(Paths::SettingsFilePath()).contains("monospace=0"));
}
