// The main menu bar: overflow and its popup, sliding between open submenus, keyboard mode
// with Alt and the arrows, commands without subitems, the bar's height and the plain
// looks of a hot and a pressed item.

#include "SkinFixture.h"
#include "common/TestEnv.h"

#include "skinforms/bsSkinMainMenu.h"

#include "framework/Forms.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

void Settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

TMenuItem* AddItem(TMenuItem* parent, const QString& caption, int* clicks = nullptr) {
    auto* item = new TMenuItem(parent);
    item->SetCaption(caption);
    if (clicks)
        item->OnClick = [clicks](TObject*) { ++*clicks; };
    parent->Add(item);
    return item;
}

// A form with a bar over a menu:
//   0 "&File" > (Open, Save)  1 "&Edit" > (Copy)  2 "&View" > (Zoom)  3 "&Run" (a command)
//   4 "&Tools" > (Pick)       5 "&Help" > (About)
struct TBarSetup {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>();
    TbsSkinMenu* Engine = new TbsSkinMenu(Form.get());
    TbsSkinMainMenu* Menu = new TbsSkinMainMenu(Form.get());
    TbsSkinMainMenuBar* Bar = nullptr;
    int RunClicks = 0;

    TBarSetup() {
        TMenuItem* root = Menu->Items();
        for (const char* caption : {"&File", "&Edit", "&View", "&Run", "&Tools", "&Help"}) {
            TMenuItem* item = AddItem(root, caption, caption[1] == 'R' ? &RunClicks : nullptr);
            if (caption[1] != 'R')
                AddItem(item, QStringLiteral("Sub of %1").arg(caption));
        }
        Form->SetBounds(100, 100, 600, 300);
        Bar = new TbsSkinMainMenuBar(Form.get());
        Bar->SetAlign(alNone); // so the tests can narrow it
        Bar->SetMenuEngine(Engine);
        Bar->SetMainMenu(Menu);
        Bar->SetBounds(0, 0, 600, 22);
        Form->show();
        Settle();
    }
    ~TBarSetup() {
        Engine->CloseMenus();
        Settle();
    }
    TbsSkinMainMenuBarItem* Item(int i) const { return Bar->Items(i); }
    TPoint CentreOf(int i) const {
        const TRect& r = Item(i)->ObjectRect;
        return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    // The caption of the first item of the innermost popup, empty when none is open.
    QString OpenSubmenu() const {
        TbsSkinPopupWindow* w = Engine->Innermost();
        return w && w->ItemCount() > 0 ? w->Items(0)->Caption() : QString();
    }
    int Highlighted() const {
        int found = -1;
        for (int i = 0; i < Bar->ObjectCount(); ++i)
            if (Item(i)->Active || Item(i)->Down()) {
                EXPECT_EQ(found, -1) << "two items highlighted";
                found = i;
            }
        return found;
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(Bar, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(Bar, &release);
    }
};

} // namespace

TEST(MainMenuBar, ItemsThatDoNotFitHideBehindTheMarkerWhosePopupListsExactlyThem) {
    TBarSetup s;
    ASSERT_EQ(s.Bar->ObjectCount(), 6);
    // Just wide enough for the first four items and the marker.
    const int width = s.Item(3)->ObjectRect.Right + TbsSkinMainMenuBar::MarkerWidth + 2;
    s.Bar->SetBounds(0, 0, width, 22);
    s.Bar->LayOutObjects();
    EXPECT_TRUE(s.Bar->Overflow());
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(s.Item(i)->Shown && s.Item(i)->Enabled) << i;
    for (int i = 4; i < 6; ++i)
        EXPECT_FALSE(s.Item(i)->Shown || s.Item(i)->Enabled) << i;

    s.Bar->OpenOverflowPopup();
    TbsSkinPopupWindow* popup = s.Engine->Innermost();
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(popup->ItemCount(), 2);
    EXPECT_EQ(popup->Items(0)->Caption(), "&Tools");
    EXPECT_EQ(popup->Items(1)->Caption(), "&Help");
    s.Engine->CloseMenus();
    Settle();

    // A menu item hidden from the menu does not shift what the popup offers: with "Edit"
    // gone and room for three items, the popup starts at "Tools".
    s.Menu->Items()->Items(1)->SetVisible(false);
    ASSERT_EQ(s.Bar->ObjectCount(), 5);
    s.Bar->SetBounds(0, 0, s.Item(2)->ObjectRect.Right + TbsSkinMainMenuBar::MarkerWidth + 2, 22);
    s.Bar->LayOutObjects();
    ASSERT_FALSE(s.Item(3)->Shown);
    s.Bar->OpenOverflowPopup();
    ASSERT_NE(s.Engine->Innermost(), nullptr);
    EXPECT_EQ(s.Engine->Innermost()->Items(0)->Caption(), "&Tools");
    s.Engine->CloseMenus();
    Settle();

    // Room again: the items come back with their enabled state, the marker goes.
    s.Menu->Items()->Items(5)->SetEnabled(false);
    s.Bar->SetBounds(0, 0, 600, 22);
    s.Bar->LayOutObjects();
    EXPECT_FALSE(s.Bar->Overflow());
    EXPECT_TRUE(s.Item(s.Bar->ObjectCount() - 2)->Enabled);
    EXPECT_FALSE(s.Item(s.Bar->ObjectCount() - 1)->Enabled);
}

TEST(MainMenuBar, MovingTheMouseAlongTheBarSlidesTheOpenSubmenu) {
    TBarSetup s;
    // Hovering alone highlights without opening.
    s.Bar->TrackMouse(s.CentreOf(0));
    EXPECT_EQ(s.Highlighted(), 0);
    EXPECT_FALSE(s.Engine->EngineActive());

    s.Item(0)->MouseDown(0, 0, mbLeft);
    EXPECT_TRUE(s.Item(0)->Down());
    EXPECT_EQ(s.OpenSubmenu(), "Sub of &File");

    s.Bar->TrackMouse(s.CentreOf(1));
    Settle();
    EXPECT_EQ(s.Engine->LevelCount(), 1);
    EXPECT_EQ(s.OpenSubmenu(), "Sub of &Edit");
    EXPECT_FALSE(s.Item(0)->Down() || s.Item(0)->Active);
    EXPECT_TRUE(s.Item(1)->Down());
    EXPECT_TRUE(s.Bar->MenuShown()) << "switching submenus is not the end of the menu";

    // Leaving the bar keeps the open item highlighted.
    s.Bar->TrackMouse(TPoint(-10, 300));
    EXPECT_EQ(s.Highlighted(), 1);

    // Closing from outside ends menu mode and nothing stays highlighted.
    s.Engine->CloseMenus();
    Settle();
    EXPECT_FALSE(s.Bar->MenuShown());
    EXPECT_EQ(s.Highlighted(), -1);
}

TEST(MainMenuBar, AltThenRightMovesAlongShownItemsAndWrapsAndEscapeLeaves) {
    TBarSetup s;
    s.Key(Qt::Key_Alt);
    EXPECT_TRUE(s.Bar->KeyboardMode());
    EXPECT_EQ(s.Highlighted(), 0);
    s.Key(Qt::Key_Right);
    s.Key(Qt::Key_Right);
    EXPECT_EQ(s.Highlighted(), 2);
    EXPECT_FALSE(s.Engine->EngineActive()) << "moving highlights, it opens nothing";
    s.Key(Qt::Key_Left);
    s.Key(Qt::Key_Left);
    s.Key(Qt::Key_Left);
    EXPECT_EQ(s.Highlighted(), 5) << "wraps to the last item";

    // Enter opens the highlighted item; Right with its submenu open moves the submenu.
    s.Key(Qt::Key_Return);
    EXPECT_EQ(s.OpenSubmenu(), "Sub of &Help");
    s.Key(Qt::Key_Right);
    Settle();
    EXPECT_EQ(s.OpenSubmenu(), "Sub of &File");
    EXPECT_EQ(s.Engine->LevelCount(), 1);

    // Escape closes the popup but keeps keyboard mode with the item highlighted; a second
    // Escape leaves.
    s.Key(Qt::Key_Escape);
    Settle();
    EXPECT_FALSE(s.Engine->EngineActive());
    EXPECT_TRUE(s.Bar->KeyboardMode());
    EXPECT_EQ(s.Highlighted(), 0);
    s.Key(Qt::Key_Escape);
    EXPECT_FALSE(s.Bar->KeyboardMode());
    EXPECT_EQ(s.Highlighted(), -1);

    // Alt with a letter opens that item at once; an item hidden by overflow is not found.
    EXPECT_TRUE(s.Bar->DialogChar(QChar('v')));
    EXPECT_EQ(s.OpenSubmenu(), "Sub of &View");
    s.Engine->CloseMenus();
    Settle();
    s.Bar->SetBounds(0, 0, s.Item(2)->ObjectRect.Right + 8, 22);
    s.Bar->LayOutObjects();
    EXPECT_FALSE(s.Bar->DialogChar(QChar('h')));
}

TEST(MainMenuBar, AnItemWithoutSubitemsRunsItsCommandOnceAndLeavesKeyboardMode) {
    TBarSetup s;
    s.Bar->EnterKeyboardMode();
    s.Bar->TrackMouse(s.CentreOf(3));
    s.Item(3)->MouseDown(0, 0, mbLeft);
    EXPECT_EQ(s.RunClicks, 1);
    EXPECT_FALSE(s.Bar->KeyboardMode());
    EXPECT_FALSE(s.Bar->MenuShown());
    EXPECT_FALSE(s.Engine->EngineActive());
    // By accelerator too.
    s.Key(Qt::Key_Alt);
    s.Key(Qt::Key_R);
    EXPECT_EQ(s.RunClicks, 2);
    EXPECT_FALSE(s.Bar->KeyboardMode());
}

TEST(MainMenuBar, HeightIs22WithoutSkinAndTheRecordsWithOne) {
    TBarSetup s;
    EXPECT_EQ(s.Bar->Height(), 22);

    TSkinFixture f = TSkinFixture::Basic(QStringLiteral("menubar"));
    f.Set("SKINCONTROLS", "count", "3")
        .Set("SKINCONTROLS", "2", "mainmenubar:mainmenubar")
        .Set("mainmenubar", "pictureindex", "1")
        .Set("mainmenubar", "skinrect", "0,0,20,9")
        .Set("mainmenubar", "itemsrect", "2,1,18,8");
    TbsSkinData skin;
    skin.LoadSkinFile(f.Write());
    s.Bar->SetSkinData(&skin);
    EXPECT_TRUE(s.Bar->SkinSupport());
    EXPECT_EQ(s.Bar->Height(), 9);
    s.Bar->SetBounds(0, 0, 400, 40);
    EXPECT_EQ(s.Bar->Height(), 9);
    // Items rect from the record, stretched with the bar.
    EXPECT_EQ(s.Bar->ItemsRect(), TRect(2, 1, 398, 8));
    s.Bar->ForgetSkin();
    s.Bar->SetSkinData(nullptr);
    s.Bar->ApplySkin();
    EXPECT_EQ(s.Bar->Height(), 22);
}

TEST(MainMenuBar, PlainHotAndDownItemsHaveTheNavyFrameAndTheirFills) {
    TBarSetup s;
    s.Bar->TrackMouse(s.CentreOf(0));
    const TRect hot = s.Item(0)->ObjectRect;
    TBitmap image = s.Bar->RenderImage();
    EXPECT_EQ(image.Pixel(hot.Left, hot.Top), bsDefaultColors::Frame);
    EXPECT_EQ(image.Pixel(hot.Right - 1, hot.Bottom - 1), bsDefaultColors::Frame);
    EXPECT_EQ(image.Pixel(hot.Left + 1, hot.Top + 1), bsDefaultColors::HotFill);
    EXPECT_EQ(image.Pixel(hot.Right, hot.Top + 1), ColorToRGB(clBtnFace)) << "next item plain";
    EXPECT_EQ(image.Pixel(0, 0), ColorToRGB(clBtnFace));

    s.Item(0)->MouseDown(0, 0, mbLeft);
    image = s.Bar->RenderImage();
    EXPECT_EQ(image.Pixel(hot.Left, hot.Top), bsDefaultColors::Frame);
    EXPECT_EQ(image.Pixel(hot.Left + 1, hot.Top + 1), bsDefaultColors::PressedFill);
}

TEST(MainMenuBar, ADialogACommandRanLeavesNoHighlightAndTheClickThatClosedItRunsNothing) {
    TBarSetup s;
    TMenuItem* run = s.Menu->Items()->Items(3);
    run->OnClick = [&s](TObject*) {
        ++s.RunClicks;
        TForm dialog;
        dialog.SetBounds(300, 300, 200, 100);
        // The user moves to the dialog and closes it; the bar hears nothing meanwhile.
        QTimer::singleShot(0, [&dialog] {
            QCursor::setPos(350, 350);
            dialog.SetModalResult(mrOk);
        });
        dialog.ShowModal();
    };
    auto press = [&s] {
        const TPoint p = s.CentreOf(3);
        QCursor::setPos(s.Bar->mapToGlobal(QPoint(p.X, p.Y)));
        QMouseEvent down(QEvent::MouseButtonPress, QPointF(p.X, p.Y),
                         QPointF(s.Bar->mapToGlobal(QPoint(p.X, p.Y))), Qt::LeftButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(s.Bar, &down);
    };
    press();
    ASSERT_EQ(s.RunClicks, 1);
    EXPECT_EQ(s.Highlighted(), -1) << "the title stays lit after the dialog closed";

    // The second press of a double click on the dialog's button lands on the bar.
    press();
    EXPECT_EQ(s.RunClicks, 1);
    TestEnv::Pump(QApplication::doubleClickInterval() + 50);
    press();
    EXPECT_EQ(s.RunClicks, 2);
}

TEST(MainMenuBar, ItemsAreMeasuredAgainWhenTheirCaptionOrTheFontChanges) {
    TBarSetup s;
    const int file = s.Item(0)->ObjectRect.Width();
    s.Menu->Items()->Items(0)->SetCaption(QStringLiteral("&File and more"));
    Settle();
    const int longer = s.Item(0)->ObjectRect.Width();
    EXPECT_GT(longer, file);
    EXPECT_EQ(s.Item(1)->ObjectRect.Left, s.Item(0)->ObjectRect.Right);

    s.Bar->DefItemFont().SetHeight(28);
    s.Bar->update();
    s.Bar->repaint();
    EXPECT_GT(s.Item(0)->ObjectRect.Width(), longer);
    EXPECT_EQ(s.Item(1)->ObjectRect.Left, s.Item(0)->ObjectRect.Right);
}
