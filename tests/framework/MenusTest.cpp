#include "framework/Menus.h"

#include "framework/Exceptions.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <gtest/gtest.h>
#include <memory>

namespace {

TMenuItem* NewItem(QObject* owner, const QString& caption, TShortCut shortCut = scNone) {
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    item->SetShortCut(shortCut);
    return item;
}

} // namespace

TEST(ShortCutText, FormatsAndParsesThePlatformTexts) {
    struct Case {
        TShortCut Key;
        const char* Text;
    };
    const Case cases[] = {
        {scCtrl | Qt::Key_S, "Ctrl+S"},
        {scAlt | Qt::Key_F4, "Alt+F4"},
        {Qt::Key_F1, "F1"},
        {scCtrl | Qt::Key_U, "Ctrl+U"},
        {scShift | Qt::Key_Insert, "Shift+Ins"},
        {Qt::Key_Delete, "Del"},
        {Qt::Key_Return, "Enter"},
        {Qt::Key_Escape, "Esc"},
        {Qt::Key_PageDown, "PgDn"},
        {scShift | scCtrl | Qt::Key_Z, "Shift+Ctrl+Z"},
        {scCtrl | Qt::Key_Plus, "Ctrl++"},
        {Qt::Key_Backspace, "BkSp"},
        {scCtrl | Qt::Key_F12, "Ctrl+F12"},
        {scAlt | Qt::Key_5, "Alt+5"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShortCutToText(c.Key), QString::fromLatin1(c.Text)) << c.Text;
        EXPECT_EQ(TextToShortCut(QString::fromLatin1(c.Text)), c.Key) << c.Text;
    }
    // Parsing is case-insensitive and takes modifiers in any order.
    EXPECT_EQ(TextToShortCut("ctrl+shift+z"), scShift | scCtrl | Qt::Key_Z);
    EXPECT_EQ(TextToShortCut(" alt+f4 "), scAlt | Qt::Key_F4);
    // Lower-case letters and keypad Enter are the same shortcuts as their plain keys.
    EXPECT_EQ(ShortCutToText(scCtrl | 's'), "Ctrl+S");
    EXPECT_EQ(ShortCutToText(int(Qt::KeypadModifier) | Qt::Key_Enter), "Enter");
    // Nothing parses to scNone rather than to a half-understood key.
    EXPECT_EQ(TextToShortCut(""), scNone);
    EXPECT_EQ(TextToShortCut("Ctrl+"), scNone);
    EXPECT_EQ(TextToShortCut("Ctrl+Banana"), scNone);
    EXPECT_EQ(TextToShortCut("F99"), scNone);
    EXPECT_EQ(ShortCutToText(scNone), "");
    EXPECT_EQ(ShortCutToText(scCtrl), "");
}

TEST(ShortCutText, KeyEventsBecomeShortCuts) {
    QKeyEvent ctrlS(QEvent::KeyPress, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ShortCutFromKeyEvent(ctrlS), scCtrl | Qt::Key_S);
    QKeyEvent keypadEnter(QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(ShortCutFromKeyEvent(keypadEnter), Qt::Key_Return);
    QKeyEvent backtab(QEvent::KeyPress, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(ShortCutFromKeyEvent(backtab), scShift | Qt::Key_Tab);
    QKeyEvent loneCtrl(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
    EXPECT_EQ(ShortCutFromKeyEvent(loneCtrl), scNone);
}

TEST(Hotkeys, AcceleratorsAreFoundAndStripped) {
    EXPECT_EQ(StripHotkey("&File"), "File");
    EXPECT_EQ(StripHotkey("Save && &Exit"), "Save & Exit");
    EXPECT_EQ(StripHotkey("文件(&F)"), "文件(F)");
    EXPECT_EQ(StripHotkey("trailing&"), "trailing");
    EXPECT_EQ(GetHotkey("文件(&f)"), QChar('F'));
    EXPECT_EQ(GetHotkey("Save && Exit"), QChar());
    EXPECT_EQ(GetHotkey("A&&&B"), QChar('B'));
    EXPECT_TRUE(IsAccel(Qt::Key_F, "&File"));
    EXPECT_TRUE(IsAccel('f', "&File"));
    EXPECT_FALSE(IsAccel(Qt::Key_I, "&File"));
    EXPECT_FALSE(IsAccel(Qt::Key_F, "File"));
}

TEST(MenuItems, TreeOperationsKeepParentsAndOwnersConsistent) {
    QObject owner;
    TMainMenu menu(&owner);
    int rebuilds = 0;
    menu.OnChange = [&](TObject*, TMenuItem*, bool rebuild) { rebuilds += rebuild ? 1 : 0; };
    TMenuItem* file = NewItem(&owner, "&File");
    TMenuItem* open = NewItem(nullptr, "&Open...", scCtrl | Qt::Key_O);
    TMenuItem* line = NewItem(&owner, "-");
    TMenuItem* exit = NewItem(&owner, "E&xit");
    menu.Items()->Add(file);
    file->Add(open);
    file->Add(exit);
    file->Insert(1, line);
    EXPECT_EQ(rebuilds, 4);
    ASSERT_EQ(file->Count(), 3);
    EXPECT_EQ((*file)[1], line);
    EXPECT_TRUE(line->IsLine());
    EXPECT_EQ(exit->MenuIndex(), 2);
    EXPECT_EQ(open->Parent(), file);
    // An item added without an owner is owned by the item it was added to.
    EXPECT_EQ(open->Owner(), file);
    EXPECT_EQ(exit->GetParentMenu(), &menu);
    EXPECT_EQ(file->Find("exit"), exit);
    EXPECT_EQ(file->Find("Nothing"), nullptr);
    EXPECT_THROW(file->Items(3), EListError);
    EXPECT_THROW(file->Insert(5, NewItem(&owner, "x")), EListError);
    // An item has one place in one tree.
    EXPECT_THROW(menu.Items()->Add(exit), EInvalidOperation);
    EXPECT_THROW(exit->Add(file), EInvalidOperation);

    file->Remove(line);
    EXPECT_EQ(line->Parent(), nullptr);
    EXPECT_EQ(file->IndexOf(exit), 1);
    delete line;

    // Destroying an item takes it out of its parent and destroys its sub-items.
    QPointer<TMenuItem> watchOpen = open;
    file->Delete(0);
    EXPECT_TRUE(watchOpen.isNull());
    EXPECT_EQ(file->Count(), 1);
    QPointer<TMenuItem> watchExit = exit;
    delete file;
    EXPECT_TRUE(watchExit.isNull());
    EXPECT_EQ(menu.Items()->Count(), 0);
}

TEST(MenuItems, RadioItemsInAGroupExcludeEachOther) {
    TPopupMenu menu;
    TMenuItem* small = NewItem(&menu, "Small");
    TMenuItem* large = NewItem(&menu, "Large");
    TMenuItem* other = NewItem(&menu, "Other group");
    TMenuItem* plain = NewItem(&menu, "Plain check");
    for (TMenuItem* item : {small, large, other}) {
        item->SetRadioItem(true);
        item->SetAutoCheck(true);
        menu.Items()->Add(item);
    }
    other->SetGroupIndex(2);
    plain->SetChecked(true);
    menu.Items()->Add(plain);
    small->SetChecked(true);
    other->SetChecked(true);
    large->Click();
    EXPECT_TRUE(large->Checked());
    EXPECT_FALSE(small->Checked());
    EXPECT_TRUE(other->Checked()) << "another group is left alone";
    EXPECT_TRUE(plain->Checked()) << "a plain check item is left alone";
    large->Click();
    EXPECT_TRUE(large->Checked()) << "clicking a checked radio item keeps it checked";
    // A plain AutoCheck item toggles.
    plain->SetAutoCheck(true);
    plain->Click();
    EXPECT_FALSE(plain->Checked());
}

TEST(Menus, ShortCutsReachNestedEnabledItemsOnly) {
    QObject owner;
    TMainMenu menu(&owner);
    TMenuItem* file = NewItem(&owner, "&File");
    TMenuItem* recent = NewItem(&owner, "&Recent");
    TMenuItem* first = NewItem(&owner, "First", scCtrl | Qt::Key_1);
    TMenuItem* save = NewItem(&owner, "&Save", scCtrl | Qt::Key_S);
    TMenuItem* tools = NewItem(&owner, "&Tools");
    TMenuItem* hidden = NewItem(&owner, "Hidden", scCtrl | Qt::Key_H);
    menu.Items()->Add(file);
    menu.Items()->Add(tools);
    file->Add(save);
    file->Add(recent);
    recent->Add(first);
    tools->Add(hidden);
    QStringList clicked;
    for (TMenuItem* item : {first, save, hidden})
        item->OnClick = [&clicked](TObject* sender) {
            clicked << static_cast<TMenuItem*>(sender)->Caption();
        };

    EXPECT_TRUE(menu.IsShortCut(scCtrl | Qt::Key_1));
    EXPECT_TRUE(menu.IsShortCut(scCtrl | 's'));
    EXPECT_EQ(clicked, QStringList({"First", "&Save"}));

    save->SetEnabled(false);
    EXPECT_FALSE(menu.IsShortCut(scCtrl | Qt::Key_S));
    recent->SetEnabled(false);
    EXPECT_FALSE(menu.IsShortCut(scCtrl | Qt::Key_1)) << "a disabled parent hides its items";
    tools->SetVisible(false);
    EXPECT_FALSE(menu.IsShortCut(scCtrl | Qt::Key_H));
    EXPECT_FALSE(menu.IsShortCut(scShift | Qt::Key_1));
    EXPECT_EQ(clicked.size(), 2);

    EXPECT_EQ(menu.FindAccelItem(Qt::Key_F), file);
    EXPECT_EQ(menu.FindAccelItem(Qt::Key_T), nullptr) << "invisible items have no accelerator";
}

TEST(Menus, AHandlerMayDestroyItsOwnItem) {
    auto menu = std::make_unique<TPopupMenu>();
    auto* item = NewItem(menu.get(), "Close", scCtrl | Qt::Key_W);
    menu->Items()->Add(item);
    item->OnClick = [&menu](TObject*) { menu.reset(); };
    EXPECT_TRUE(menu->IsShortCut(scCtrl | Qt::Key_W));
    EXPECT_EQ(menu, nullptr);
}

TEST(Menus, APlainPopupListsTheVisibleItems) {
    TPopupMenu menu;
    TMenuItem* copy = NewItem(&menu, "&Copy", scCtrl | Qt::Key_C);
    TMenuItem* line = NewItem(&menu, "-");
    TMenuItem* gone = NewItem(&menu, "Gone");
    TMenuItem* more = NewItem(&menu, "&More");
    TMenuItem* inner = NewItem(&menu, "Inner");
    gone->SetVisible(false);
    copy->SetChecked(true);
    for (TMenuItem* item : {copy, line, gone, more})
        menu.Items()->Add(item);
    more->Add(inner);
    int clicks = 0;
    inner->OnClick = [&clicks](TObject*) { ++clicks; };

    QMenu qmenu;
    menu.BuildQMenu(qmenu, menu.Items());
    QList<QAction*> actions = qmenu.actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions[0]->text(), "&Copy\tCtrl+C");
    EXPECT_TRUE(actions[0]->isChecked());
    EXPECT_TRUE(actions[1]->isSeparator());
    ASSERT_NE(actions[2]->menu(), nullptr);
    actions[2]->menu()->actions().at(0)->trigger();
    EXPECT_EQ(clicks, 1);
}
