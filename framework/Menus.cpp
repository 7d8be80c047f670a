#include "framework/Menus.h"

#include "framework/Exceptions.h"

#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <algorithm>
#include <array>

// ---------------------------------------------------------------------------------------
// Shortcut texts

namespace {

struct KeyName {
    int Key;
    const char* Name;
};

// The platform's names of the keys that are not printed as their own character.
constexpr std::array<KeyName, 16> KeyNames{{
    {Qt::Key_Backspace, "BkSp"},
    {Qt::Key_Tab, "Tab"},
    {Qt::Key_Escape, "Esc"},
    {Qt::Key_Return, "Enter"},
    {Qt::Key_Space, "Space"},
    {Qt::Key_PageUp, "PgUp"},
    {Qt::Key_PageDown, "PgDn"},
    {Qt::Key_End, "End"},
    {Qt::Key_Home, "Home"},
    {Qt::Key_Left, "Left"},
    {Qt::Key_Up, "Up"},
    {Qt::Key_Right, "Right"},
    {Qt::Key_Down, "Down"},
    {Qt::Key_Insert, "Ins"},
    {Qt::Key_Delete, "Del"},
    {Qt::Key_Enter, "Enter"},
}};

struct ModifierName {
    int Bit;
    const char* Prefix;
};

// Modifiers in the order the texts show them.
constexpr std::array<ModifierName, 4> ModifierNames{{
    {scShift, "Shift+"},
    {scCtrl, "Ctrl+"},
    {scAlt, "Alt+"},
    {scMeta, "Meta+"},
}};

constexpr int FirstFunctionKey = Qt::Key_F1;
constexpr int LastFunctionKey = Qt::Key_F24;

// Folds keys with two codes onto one: keypad Enter is Enter, Backtab is Tab.
int NormalizeKey(int key) {
    if (key == Qt::Key_Enter)
        return Qt::Key_Return;
    if (key == Qt::Key_Backtab)
        return Qt::Key_Tab;
    if (key >= 'a' && key <= 'z')
        return key - 'a' + 'A';
    return key;
}

QString KeyToText(int key) {
    for (const KeyName& entry : KeyNames)
        if (entry.Key == key)
            return QString::fromLatin1(entry.Name);
    if (key >= FirstFunctionKey && key <= LastFunctionKey)
        return QStringLiteral("F%1").arg(key - FirstFunctionKey + 1);
    if (key > 0x20 && key < 0x7F)
        return QString(QChar(key));
    return QKeySequence(key).toString(QKeySequence::PortableText);
}

int TextToKey(const QString& name) {
    if (name.isEmpty())
        return 0;
    for (const KeyName& entry : KeyNames)
        if (name.compare(QLatin1String(entry.Name), Qt::CaseInsensitive) == 0)
            return entry.Key;
    if (name.size() == 1 && name[0].unicode() > 0x20 && name[0].unicode() < 0x7F)
        return NormalizeKey(name[0].unicode());
    if (name.size() >= 2 && name[0].toUpper() == QLatin1Char('F')) {
        bool ok = false;
        int number = name.mid(1).toInt(&ok);
        if (ok && number >= 1 && number <= LastFunctionKey - FirstFunctionKey + 1)
            return FirstFunctionKey + number - 1;
    }
    // Other named keys ("Print", "Pause") by Qt's portable names, when they read back.
    QKeySequence sequence = QKeySequence::fromString(name, QKeySequence::PortableText);
    if (sequence.count() != 1 || sequence[0].keyboardModifiers() != Qt::NoModifier)
        return 0;
    int key = sequence[0].key();
    if (key == Qt::Key_unknown || KeyToText(key).compare(name, Qt::CaseInsensitive) != 0)
        return 0;
    return key;
}

bool IsModifierKey(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
           key == Qt::Key_Meta || key == Qt::Key_AltGr || key == Qt::Key_unknown;
}

} // namespace

TShortCut ShortCut(int key, int modifiers) {
    constexpr int notKey = scModifierMask | Qt::KeypadModifier | Qt::GroupSwitchModifier;
    return NormalizeKey(key & ~notKey) | (modifiers & scModifierMask);
}

TShortCut NormalizeShortCut(TShortCut shortCut) {
    return ShortCut(shortCut, shortCut);
}

TShortCut ShortCutFromKeyEvent(const QKeyEvent& event) {
    if (IsModifierKey(event.key()))
        return scNone;
    int modifiers = static_cast<int>(event.modifiers().toInt());
    // Backtab already says Shift; keep it as Shift+Tab.
    if (event.key() == Qt::Key_Backtab)
        modifiers |= scShift;
    return ShortCut(event.key(), modifiers);
}

QString ShortCutToText(TShortCut shortCut) {
    int key = NormalizeShortCut(shortCut) & ~scModifierMask;
    if (key == 0)
        return QString();
    QString keyText = KeyToText(key);
    if (keyText.isEmpty())
        return QString();
    QString text;
    for (const ModifierName& modifier : ModifierNames)
        if (shortCut & modifier.Bit)
            text += QLatin1String(modifier.Prefix);
    return text + keyText;
}

TShortCut TextToShortCut(const QString& text) {
    QString rest = text.trimmed();
    int modifiers = 0;
    bool found = true;
    // Strip modifier prefixes while a key name remains after them ("Ctrl++" is Ctrl and +).
    while (found) {
        found = false;
        for (const ModifierName& modifier : ModifierNames) {
            QLatin1String prefix(modifier.Prefix);
            if (rest.size() > prefix.size() && rest.startsWith(prefix, Qt::CaseInsensitive)) {
                modifiers |= modifier.Bit;
                rest = rest.mid(prefix.size());
                found = true;
            }
        }
    }
    int key = TextToKey(rest);
    return key == 0 ? scNone : key | modifiers;
}

QString StripHotkey(const QString& caption) {
    QString result;
    result.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&'))
                result += QLatin1Char('&');
            ++i;
            if (i < caption.size() && caption[i] != QLatin1Char('&'))
                result += caption[i];
            continue;
        }
        result += caption[i];
    }
    return result;
}

QChar GetHotkey(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return caption[i + 1].toUpper();
    }
    return QChar();
}

bool IsAccel(int key, const QString& caption) {
    QChar hotkey = GetHotkey(caption);
    if (hotkey.isNull())
        return false;
    int code = NormalizeShortCut(key) & ~scModifierMask;
    if (code <= 0 || code > 0xFFFF)
        return false;
    return QChar(code).toUpper() == hotkey;
}

// ---------------------------------------------------------------------------------------
// TMenuItem

TMenuItem::TMenuItem(QObject* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
    if (FParent)
        FParent->Detach(this);
    Clear();
}

void TMenuItem::SetCaption(const QString& caption) {
    if (FCaption == caption)
        return;
    bool shapeChanged = IsLine() != (caption == QLatin1String("-"));
    FCaption = caption;
    Changed(shapeChanged);
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
    if (FShortCut == NormalizeShortCut(shortCut))
        return;
    FShortCut = NormalizeShortCut(shortCut);
    Changed(false);
}

void TMenuItem::SetChecked(bool checked) {
    if (FChecked == checked)
        return;
    FChecked = checked;
    if (checked && FRadioItem)
        UncheckGroupSiblings();
    Changed(false);
}

void TMenuItem::SetRadioItem(bool radioItem) {
    if (FRadioItem == radioItem)
        return;
    FRadioItem = radioItem;
    if (FChecked && FRadioItem)
        UncheckGroupSiblings();
    Changed(false);
}

void TMenuItem::SetGroupIndex(int groupIndex) {
    if (FGroupIndex == groupIndex)
        return;
    FGroupIndex = groupIndex;
    if (FChecked && FRadioItem)
        UncheckGroupSiblings();
    Changed(false);
}

void TMenuItem::UncheckGroupSiblings() {
    if (!FParent)
        return;
    for (TMenuItem* sibling : FParent->FItems)
        if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex &&
            sibling->FChecked) {
            sibling->FChecked = false;
            sibling->Changed(false);
        }
}

void TMenuItem::SetEnabled(bool enabled) {
    if (FEnabled == enabled)
        return;
    FEnabled = enabled;
    Changed(false);
}

void TMenuItem::SetVisible(bool visible) {
    if (FVisible == visible)
        return;
    FVisible = visible;
    Changed(true);
}

void TMenuItem::SetDefault(bool isDefault) {
    if (FDefault == isDefault)
        return;
    FDefault = isDefault;
    Changed(false);
}

void TMenuItem::SetImageIndex(int imageIndex) {
    if (FImageIndex == imageIndex)
        return;
    FImageIndex = imageIndex;
    Changed(false);
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return FItems[static_cast<size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) {
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item)
        return;
    if (index < 0 || index > Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    if (item->FParent)
        throw EInvalidOperation(QStringLiteral("Menu inserted twice"));
    for (const TMenuItem* up = this; up; up = up->FParent)
        if (up == item)
            throw EInvalidOperation(QStringLiteral("Menu inserted into itself"));
    Attach(index, item);
}

void TMenuItem::Attach(int index, TMenuItem* item) {
    // An item created without an owner belongs to the item it is added to.
    if (!item->parent())
        item->setParent(this);
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
    if (item->FChecked && item->FRadioItem)
        item->UncheckGroupSiblings();
    Changed(true);
}

void TMenuItem::Detach(TMenuItem* item) {
    auto found = std::find(FItems.begin(), FItems.end(), item);
    if (found == FItems.end())
        return;
    FItems.erase(found);
    item->FParent = nullptr;
    Changed(true);
}

void TMenuItem::Delete(int index) {
    delete Items(index);
}

void TMenuItem::Remove(TMenuItem* item) {
    if (item && item->FParent == this)
        Detach(item);
}

void TMenuItem::Clear() {
    while (!FItems.empty())
        delete FItems.back();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto found = std::find(FItems.begin(), FItems.end(), item);
    return found == FItems.end() ? -1 : static_cast<int>(found - FItems.begin());
}

TMenuItem* TMenuItem::Find(const QString& caption) const {
    QString wanted = StripHotkey(caption);
    for (TMenuItem* item : FItems)
        if (StripHotkey(item->FCaption).compare(wanted, Qt::CaseInsensitive) == 0)
            return item;
    return nullptr;
}

int TMenuItem::VisibleCount() const {
    return static_cast<int>(
        std::count_if(FItems.begin(), FItems.end(), [](TMenuItem* i) { return i->FVisible; }));
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* root = this;
    while (root->FParent)
        root = root->FParent;
    return root->FMenu;
}

void TMenuItem::Click() {
    if (FAutoCheck)
        SetChecked(FRadioItem ? true : !FChecked);
    // A copy, so a handler that destroys the item does not destroy itself while running.
    TNotifyEvent handler = OnClick;
    if (handler) {
        FireEvent(handler, this);
        return;
    }
    // Linking copies no handler into OnClick, so without one of its own the action runs.
    if (QPointer<TAction> action = Action())
        action->Execute();
}

void TMenuItem::SetAction(TAction* action) {
    FActionLink.SetAction(action, [this](TAction& a) { ActionChanged(a); });
}

void TMenuItem::InitiateAction() {
    if (TAction* action = Action())
        action->Update();
}

void TMenuItem::ActionChanged(const TAction& action) {
    SetCaption(action.Caption());
    SetEnabled(action.Enabled());
    SetChecked(action.Checked());
    SetVisible(action.Visible());
    SetHint(action.Hint());
    SetImageIndex(action.ImageIndex());
}

void TMenuItem::Changed(bool rebuild) {
    if (TMenu* menu = GetParentMenu())
        menu->MenuChangedBy(this, rebuild);
}

// ---------------------------------------------------------------------------------------
// TMenu

TMenu::TMenu(QObject* owner) : TComponent(owner), FItems(new TMenuItem(this)) {
    FItems->FMenu = this;
}

TMenu::~TMenu() {
    // The tree goes first and quietly: nobody listens to a menu being destroyed.
    FItems->FMenu = nullptr;
    delete FItems;
}

void TMenu::SetImages(TImageList* images) {
    if (FImages == images)
        return;
    FImages = images;
    MenuChangedBy(nullptr, false);
}

namespace {
TMenuItem* FindShortCutIn(TMenuItem* parent, TShortCut shortCut) {
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!item->Enabled() || !item->Visible())
            continue;
        if (item->ShortCut() == shortCut && !item->IsLine())
            return item;
        if (TMenuItem* nested = FindShortCutIn(item, shortCut))
            return nested;
    }
    return nullptr;
}
} // namespace

TMenuItem* TMenu::FindItem(TShortCut shortCut) const {
    if (shortCut == scNone)
        return nullptr;
    return FindShortCutIn(FItems, NormalizeShortCut(shortCut));
}

bool TMenu::IsShortCut(TShortCut key) {
    QPointer<TMenuItem> item = FindItem(key);
    if (!item)
        return false;
    item->Click();
    return true;
}

TMenuItem* TMenu::FindAccelItem(int key, TMenuItem* parent) const {
    TMenuItem* list = parent ? parent : FItems;
    for (int i = 0; i < list->Count(); ++i) {
        TMenuItem* item = list->Items(i);
        if (item->Enabled() && item->Visible() && IsAccel(key, item->Caption()))
            return item;
    }
    return nullptr;
}

void TMenu::MenuChangedBy(TMenuItem* source, bool rebuild) {
    FireEvent(OnChange, this, source, rebuild);
    emit MenuChanged(source, rebuild);
}

TMainMenu::TMainMenu(QObject* owner) : TMenu(owner) {}

// ---------------------------------------------------------------------------------------
// TPopupMenu

TPopupMenu::TPopupMenu(QObject* owner) : TMenu(owner) {}

void TPopupMenu::BuildQMenu(QMenu& menu, TMenuItem* parent) const {
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        item->InitiateAction();
        if (!item->Visible())
            continue;
        if (item->IsLine()) {
            menu.addSeparator();
            continue;
        }
        // A tab puts the shortcut text in QMenu's shortcut column without registering it.
        QString text = item->Caption();
        if (item->ShortCut() != scNone)
            text += QLatin1Char('\t') + item->ShortCutText();
        QAction* action = nullptr;
        if (item->Count() > 0) {
            QMenu* sub = menu.addMenu(text);
            BuildQMenu(*sub, item);
            action = sub->menuAction();
        } else {
            action = menu.addAction(text);
        }
        action->setEnabled(item->Enabled());
        action->setCheckable(item->Checked());
        action->setChecked(item->Checked());
        action->setStatusTip(item->Hint());
        if (item->Default()) {
            QFont font = action->font();
            font.setBold(true);
            action->setFont(font);
        }
        if (const TImageList* images = Images(); images && item->ImageIndex() >= 0)
            action->setIcon(images->Icon(item->ImageIndex()));
        QPointer<TMenuItem> target = item;
        if (item->Count() == 0)
            QObject::connect(action, &QAction::triggered, action, [target] {
                if (target)
                    Guarded([&] { target->Click(); });
            });
    }
}

void TPopupMenu::Popup(int x, int y) {
    FPopupPoint = QPoint(x, y);
    FireEvent(OnPopup, this);
    QMenu menu;
    BuildQMenu(menu, Items());
    if (!menu.isEmpty())
        menu.exec(QPoint(x, y));
}
