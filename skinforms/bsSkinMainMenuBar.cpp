// The main menu bar: building the items from the main menu, the skin, painting with the
// overflow marker, mouse tracking, keyboard mode and the popups it opens.

#include "skinforms/bsSkinMainMenu.h"

#include "skinforms/bsSkinForm.h"
#include "skin/bsUtils.h"

#include "framework/Canvas.h"
#include "framework/ModalEnd.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>

namespace {

constexpr int MouseInterval = 50;
constexpr int MorphInterval = 20;

const TBitmap* PictureAt(const TbsSkinData& data, int index) {
    if (index < 0 || index >= static_cast<int>(data.ActivePictures.size()))
        return nullptr;
    const TBitmap* picture = data.ActivePictures[static_cast<size_t>(index)].get();
    return picture && !picture->Empty() ? picture : nullptr;
}

bool IsKeyPress(QEvent::Type type) {
    return type == QEvent::KeyPress || type == QEvent::ShortcutOverride;
}

} // namespace

TbsSkinMainMenu::TbsSkinMainMenu(QObject* owner) : TMainMenu(owner) {}

// ---------------------------------------------------------------- lifecycle

TbsSkinMainMenuBar::TbsSkinMainMenuBar(QWidget* parent) : TbsSkinControl(parent) {
    FSkinDataName = QStringLiteral("mainmenubar");
    FDefItemFont.SetName(QStringLiteral("Arial"));
    FDefItemFont.SetHeight(14);
    FDefItemFont.SetColor(clBtnText);
    SetAlign(alTop);
    SetBounds(Left(), Top(), Width(), FDefaultHeight);
    FMouseTimer.setInterval(MouseInterval);
    connect(&FMouseTimer, &QTimer::timeout, this, &TbsSkinMainMenuBar::MouseTimerTick);
    FMorphTimer.setInterval(MorphInterval);
    connect(&FMorphTimer, &QTimer::timeout, this, &TbsSkinMainMenuBar::MorphTick);
    if (qApp)
        qApp->installEventFilter(this);
}

TbsSkinMainMenuBar::~TbsSkinMainMenuBar() {
    if (qApp)
        qApp->removeEventFilter(this);
    if (FEngine && FEngine->Opener() == this)
        FEngine->CloseMenus();
    if (FEngine)
        FEngine->KeyPreview = nullptr;
}

void TbsSkinMainMenuBar::SetMainMenu(TMainMenu* menu) {
    if (FMainMenu)
        disconnect(FMainMenu, nullptr, this, nullptr);
    FMainMenu = menu;
    if (menu)
        connect(menu, &TMenu::MenuChanged, this, [this](TMenuItem* source, bool rebuild) {
            // Only the top level shows on the bar; deeper changes show in the popups. A
            // caption or enabled change keeps the items (and an open submenu) as they are.
            if (source && FMainMenu && source->Parent() != FMainMenu->Items())
                return;
            if (rebuild || !source)
                RebuildItems();
            else
                MenuItemChanged(source);
        });
    RebuildItems();
}

TbsSkinMenu* TbsSkinMainMenuBar::MenuEngine() const {
    return FEngine ? FEngine.data() : FOwnEngine;
}

void TbsSkinMainMenuBar::SetMenuEngine(TbsSkinMenu* engine) {
    FEngine = engine;
}

TbsBusinessSkinForm* TbsSkinMainMenuBar::SkinForm() const {
    return FSkinForm;
}

void TbsSkinMainMenuBar::SetSkinForm(TbsBusinessSkinForm* frame) {
    if (frame == FSkinForm)
        return;
    if (MenuEngine() && MenuEngine()->Opener() == this)
        MenuEngine()->CloseMenus();
    if (FKeyboardMode)
        LeaveMenuMode();
    FSkinForm = frame;
    if (frame)
        FEngine = frame->MenuEngine();
}

void TbsSkinMainMenuBar::BeginKeyboardMode() {
    FMenuShown = true;
    FKeyboardMode = true;
    if (FSkinForm)
        FSkinForm->MainMenuEntered();
}

void TbsSkinMainMenuBar::SetScrollMenu(bool value) {
    FScrollMenu = value;
    update();
}

void TbsSkinMainMenuBar::SetUseSkinFont(bool value) {
    FUseSkinFont = value;
    update();
}

TbsSkinMainMenuBarItem* TbsSkinMainMenuBar::Items(int index) const {
    return dynamic_cast<TbsSkinMainMenuBarItem*>(FObjects[index].get());
}

// ---------------------------------------------------------------- skin and items

const TbsDataSkinMainMenuBar* TbsSkinMainMenuBar::BarRecord() const {
    return dynamic_cast<const TbsDataSkinMainMenuBar*>(SkinRecord());
}

void TbsSkinMainMenuBar::FetchSkinRecord() {
    TbsSkinControl::FetchSkinRecord();
    if (!BarRecord())
        FSkinIndex = -1;
}

void TbsSkinMainMenuBar::RebuildItems() {
    FObjects.clear();
    FHotObject = FPreviousHotObject = FCapturedObject = -1;
    FJustClosed = nullptr;
    const TbsDataSkinMainMenuItem* itemRecord = nullptr;
    const TBitmap* itemPicture = nullptr;
    if (const TbsDataSkinMainMenuBar* bar = FSkinSupport ? BarRecord() : nullptr) {
        const int i = SkinData()->IndexOfSkinObject(bar->MenuBarItem);
        if (i >= 0) {
            itemRecord = dynamic_cast<const TbsDataSkinMainMenuItem*>(
                SkinData()->SkinObjects[static_cast<size_t>(i)].get());
            if (itemRecord)
                itemPicture = PictureAt(*SkinData(), itemRecord->ActivePictureIndex);
        }
    }
    if (FMainMenu)
        for (int i = 0; i < FMainMenu->Items()->Count(); ++i) {
            TMenuItem* menuItem = FMainMenu->Items()->Items(i);
            if (menuItem->Visible())
                FObjects.push_back(std::make_unique<TbsSkinMainMenuBarItem>(
                    this, menuItem, itemRecord, itemPicture));
        }
    LayOutIfShown();
    update();
}

void TbsSkinMainMenuBar::ApplySkin() {
    if (FEngine && FEngine->Opener() == this)
        FEngine->CloseMenus();
    FetchSkinRecord();
    FSkinSupport = FSkinIndex >= 0;
    RebuildItems();
    int height = Height();
    if (FSkinSupport)
        height = BarRecord()->SkinRect.Height();
    else if (FDefaultHeight > 0)
        height = FDefaultHeight;
    const int width = !FSkinSupport && FDefaultWidth > 0 ? FDefaultWidth : Width();
    SetBounds(Left(), Top(), width, height);
    update();
}

void TbsSkinMainMenuBar::ForgetSkin() {
    if (FEngine && FEngine->Opener() == this)
        FEngine->CloseMenus();
    TbsSkinControl::ForgetSkin();
    FSkinSupport = false;
    FObjects.clear();
    FHotObject = FPreviousHotObject = FCapturedObject = -1;
    FJustClosed = nullptr;
}

void TbsSkinMainMenuBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (FSkinSupport) {
        FetchSkinRecord();
        if (const TbsDataSkinMainMenuBar* bar = BarRecord())
            AHeight = bar->SkinRect.Height();
    }
    TbsSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    LayOutIfShown();
}

void TbsSkinMainMenuBar::MenuItemChanged(TMenuItem* source) {
    for (int i = 0; i < ObjectCount(); ++i)
        if (TbsSkinMainMenuBarItem* item = Items(i); item && item->MenuItem == source)
            item->SetMenuEnabled(source->Enabled());
    LayOutIfShown();
    update();
}

// ---------------------------------------------------------------- layout and painting

void TbsSkinMainMenuBar::LayOutIfShown() {
    // A bar not on screen is laid out when it paints: before the window is first shown its
    // font may still change with the skin, and measuring captions loads font engines.
    if (isVisible())
        LayOutObjects();
}

void TbsSkinMainMenuBar::LayOutObjects() {
    const TbsDataSkinMainMenuBar* bar = FSkinSupport ? BarRecord() : nullptr;
    const int W = Width(), H = Height();
    if (bar)
        FItemsRect = TRect(bar->ItemsRect.Left, bar->ItemsRect.Top,
                           W + bar->ItemsRect.Right - bar->SkinRect.Width(), bar->ItemsRect.Bottom);
    else
        FItemsRect = TRect(2, 2, W - 2, H - 2);
    const int limit = FItemsRect.Right - (FScrollMenu ? MarkerWidth : 0);
    TBitmap measure;
    measure.SetSize(1, 1);
    FOverflow = false;
    int left = FItemsRect.Left;
    for (auto& object : FObjects) {
        auto* item = dynamic_cast<TbsSkinMainMenuBarItem*>(object.get());
        if (!item || !item->Visible)
            continue;
        item->LayOut(left, FItemsRect, limit, measure.Canvas());
        left = item->ObjectRect.Right;
        if (!item->Shown)
            FOverflow = true;
    }
}

TRect TbsSkinMainMenuBar::MarkerRect() const {
    return TRect(FItemsRect.Right - MarkerWidth, FItemsRect.Top, FItemsRect.Right,
                 FItemsRect.Bottom);
}

void TbsSkinMainMenuBar::DrawDefaultImage(TBitmap& bitmap) {
    Compose(bitmap);
}

void TbsSkinMainMenuBar::DrawSkinImage(TBitmap& bitmap) {
    Compose(bitmap);
}

void TbsSkinMainMenuBar::Compose(TBitmap& bitmap) {
    TCanvas& c = bitmap.Canvas();
    DrawBackground(c, bitmap.Width(), bitmap.Height());
    LayOutObjects();
    for (auto& object : FObjects)
        if (object->Visible)
            object->Draw(c);
    if (FOverflow && FScrollMenu)
        DrawMarker(c);
}

void TbsSkinMainMenuBar::DrawBackground(TCanvas& c, int width, int height) {
    const TbsDataSkinMainMenuBar* bar = FSkinSupport ? BarRecord() : nullptr;
    const TBitmap* picture = bar ? PictureAt(*SkinData(), bar->PictureIndex) : nullptr;
    if (bar && picture && !bar->SkinRect.IsEmpty()) {
        TBitmap back;
        CreateHSkinImage(bar->ItemsRect.Left, bar->SkinRect.Width() - bar->ItemsRect.Right, back,
                         width, bar->SkinRect, *picture);
        c.Draw(0, 0, back);
        return;
    }
    c.Brush.Color = clBtnFace;
    c.FillRect(TRect(0, 0, width, height));
}

void TbsSkinMainMenuBar::DrawMarker(TCanvas& c) {
    const TbsDataSkinMainMenuBar* bar = FSkinSupport ? BarRecord() : nullptr;
    TColor color = FMarkerHot ? clBtnText : clBtnShadow;
    if (bar)
        color = FMarkerHot ? bar->TrackMarkActiveColor : bar->TrackMarkColor;
    DrawArrowMark(c, MarkerRect(), color, TbsArrowDirection::Right);
}

// ---------------------------------------------------------------- mouse

void TbsSkinMainMenuBar::MouseEnter() {
    TbsSkinControl::MouseEnter();
    FMouseTimer.start();
}

void TbsSkinMainMenuBar::MouseTimerTick() {
    const TPoint p = ScreenToClient(TPoint(QCursor::pos().x(), QCursor::pos().y()));
    TrackMouse(p);
    if (!PtInRect(TRect(0, 0, Width(), Height()), p))
        FMouseTimer.stop();
}

void TbsSkinMainMenuBar::SetHot(int index) {
    if (index == FHotObject)
        return;
    FPreviousHotObject = FHotObject;
    FHotObject = index;
    if (FPreviousHotObject >= 0 && FObjects[FPreviousHotObject]->Enabled)
        FObjects[FPreviousHotObject]->MouseLeave();
    if (FHotObject >= 0 && FObjects[FHotObject]->Enabled)
        FObjects[FHotObject]->MouseEnter();
}

void TbsSkinMainMenuBar::TrackMouse(TPoint p) {
    int hot = -1;
    for (int i = 0; i < ObjectCount(); ++i) {
        const TbsMenuBarObject& o = *FObjects[i];
        if (o.Visible && o.Enabled && PtInRect(o.ObjectRect, p)) {
            hot = i;
            break;
        }
    }
    if (hot < 0 && FMenuShown && FHotObject >= 0 && Items(FHotObject))
        hot = FHotObject; // in menu mode the highlighted item stays
    if (FCapturedObject < 0 || hot == FCapturedObject)
        SetHot(hot);
    const bool overMarker = FOverflow && FScrollMenu && PtInRect(MarkerRect(), p);
    if (overMarker != FMarkerHot) {
        FMarkerHot = overMarker;
        update();
    }
}

void TbsSkinMainMenuBar::MouseMove(TShiftState Shift, int X, int Y) {
    TbsSkinControl::MouseMove(Shift, X, Y);
    if (!FMouseTimer.isActive())
        FMouseTimer.start();
    TrackMouse(TPoint(X, Y));
}

void TbsSkinMainMenuBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TbsSkinControl::MouseDown(Button, Shift, X, Y);
    TrackMouse(TPoint(X, Y));
    // The second press of a double click that closed a dialog is not a new choice.
    if (ModalEnd::JustEnded())
        return;
    if (FHotObject < 0) {
        if (Button == mbLeft && FOverflow && FScrollMenu && PtInRect(MarkerRect(), TPoint(X, Y)))
            OpenOverflowPopup();
        return;
    }
    FCapturedObject = FHotObject;
    TbsMenuBarObject* object = FObjects[FCapturedObject].get();
    if (object == FJustClosed) {
        // The press that closed this item's submenu does not open it again.
        FJustClosed = nullptr;
        return;
    }
    object->MouseDown(X, Y, Button);
}

void TbsSkinMainMenuBar::DblClick() {
    TbsSkinControl::DblClick();
    if (FCapturedObject >= 0 && FCapturedObject < ObjectCount())
        FObjects[FCapturedObject]->DblClick();
}

void TbsSkinMainMenuBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TbsSkinControl::MouseUp(Button, Shift, X, Y);
    FJustClosed = nullptr;
    if (FCapturedObject >= 0 && FCapturedObject < ObjectCount())
        FObjects[FCapturedObject]->MouseUp(X, Y, Button);
    FCapturedObject = -1;
}

// ---------------------------------------------------------------- morphing

void TbsSkinMainMenuBar::StartMorph() {
    if (!FMorphTimer.isActive())
        FMorphTimer.start();
}

void TbsSkinMainMenuBar::MorphTick() {
    bool more = false;
    for (auto& object : FObjects) {
        if (object->MorphStep())
            object->Redraw();
        more = more || object->IsMorphing();
    }
    if (!more)
        FMorphTimer.stop();
}

// ---------------------------------------------------------------- submenus

TbsSkinMainMenuBarItem* TbsSkinMainMenuBar::DownItem() const {
    for (int i = 0; i < ObjectCount(); ++i)
        if (TbsSkinMainMenuBarItem* item = Items(i); item && item->Down())
            return item;
    return nullptr;
}

TbsSkinMainMenuBarItem* TbsSkinMainMenuBar::ActiveItem(const TbsMenuBarObject* except) const {
    for (int i = 0; i < ObjectCount(); ++i)
        if (TbsSkinMainMenuBarItem* item = Items(i);
            item && item != except && (item->Active || item->Down()))
            return item;
    return nullptr;
}

TRect TbsSkinMainMenuBar::ScreenRect(const TRect& r) const {
    const TPoint topLeft = ClientToScreen(TPoint(r.Left, r.Top));
    return TRect(topLeft.X, topLeft.Y, topLeft.X + r.Width(), topLeft.Y + r.Height());
}

void TbsSkinMainMenuBar::OpenSubmenu(TbsSkinMainMenuBarItem* item) {
    if (!FOwnEngine && !FEngine)
        FOwnEngine = new TbsSkinMenu(this);
    TbsSkinMenu* engine = MenuEngine();
    if (engine == FOwnEngine)
        FOwnEngine->SetHostForm(window());
    BeginKeyboardMode();
    if (FSkinForm)
        FSkinForm->SkinMenuOpened();
    for (int i = 0; i < ObjectCount(); ++i)
        if (FObjects[i].get() == item)
            FHotObject = i;
    QPointer<TbsSkinMainMenuBar> self(this);
    engine->KeyPreview = [self](int key) { return self && self->MenuKeyDown(key); };
    FSwitching = engine->EngineActive();
    engine->PopupItems(this, SkinData(), PopupToUp, item->MenuItem, ScreenRect(item->ObjectRect));
    FSwitching = false;
}

void TbsSkinMainMenuBar::OpenOverflowPopup() {
    if (!FMainMenu)
        return;
    int start = -1;
    for (int i = 0; i < ObjectCount() && start < 0; ++i)
        if (TbsSkinMainMenuBarItem* item = Items(i); item && !item->Shown && item->MenuItem)
            start = FMainMenu->Items()->IndexOf(item->MenuItem);
    if (start < 0)
        return;
    if (!FOwnEngine && !FEngine)
        FOwnEngine = new TbsSkinMenu(this);
    if (MenuEngine() == FOwnEngine)
        FOwnEngine->SetHostForm(window());
    MenuEngine()->KeyPreview = nullptr;
    MenuEngine()->PopupItems(this, SkinData(), PopupToUp, FMainMenu->Items(),
                             ScreenRect(MarkerRect()), start);
}

void TbsSkinMainMenuBar::RunCommand(TbsSkinMainMenuBarItem* item) {
    QPointer<TMenuItem> menuItem = item->MenuItem;
    LeaveMenuMode();
    // The press is spent on the command; its release may go to a window the command opens.
    FCapturedObject = -1;
    if (!menuItem)
        return;
    QPointer<TbsSkinMainMenuBar> self(this);
    menuItem->Click();
    // A dialog the command ran took the mouse's comings and goings: the highlight follows
    // where the cursor is now.
    if (self) {
        self->FMouseTimer.start();
        self->MouseTimerTick();
    }
}

void TbsSkinMainMenuBar::MenuClosed() {
    if (FSwitching)
        return;
    // A press outside the popup closed it; when that press is on the open item itself,
    // it must not open the submenu again.
    FJustClosed = QGuiApplication::mouseButtons() != Qt::NoButton ? DownItem() : nullptr;
    if (FSkinForm)
        FSkinForm->SkinMenuEnded();
    if (FEscapeClosing) {
        FEscapeClosing = false;
        SubmenuClosed();
    } else {
        LeaveMenuMode();
    }
}

bool TbsSkinMainMenuBar::event(QEvent* event) {
    if (event->type() == SkinMenuClosed) {
        MenuClosed();
        return true;
    }
    return TbsSkinControl::event(event);
}

// ---------------------------------------------------------------- keyboard mode

int TbsSkinMainMenuBar::FirstShownIndex() const {
    for (int i = 0; i < ObjectCount(); ++i)
        if (TbsSkinMainMenuBarItem* item = Items(i); item && item->Shown && item->Enabled)
            return i;
    return -1;
}

void TbsSkinMainMenuBar::EnterKeyboardMode() {
    BeginKeyboardMode();
    if (ActiveItem())
        return;
    const int first = FirstShownIndex();
    if (first >= 0) {
        FHotObject = first;
        FObjects[first]->MouseEnter();
    }
}

void TbsSkinMainMenuBar::LeaveMenuMode() {
    FMenuShown = false;
    FKeyboardMode = false;
    FEscapeClosing = false;
    if (TbsSkinMainMenuBarItem* item = ActiveItem()) {
        item->Active = false;
        item->MouseInside = false;
        item->SetDownState(false);
        item->Redraw();
    }
    FHotObject = FPreviousHotObject = -1;
    if (MenuEngine())
        MenuEngine()->KeyPreview = nullptr;
    update();
    if (FSkinForm)
        FSkinForm->MainMenuExited();
}

void TbsSkinMainMenuBar::SubmenuClosed() {
    if (TbsSkinMainMenuBarItem* item = DownItem()) {
        item->SetDownState(false);
        item->Active = true;
        item->Redraw();
    }
}

void TbsSkinMainMenuBar::SelectStep(int step) {
    const int count = ObjectCount();
    if (count == 0)
        return;
    int from = -1;
    TbsSkinMainMenuBarItem* current = ActiveItem();
    for (int i = 0; i < count; ++i)
        if (FObjects[i].get() == current)
            from = i;
    if (from < 0)
        from = step > 0 ? -1 : count;
    for (int n = 1; n <= count; ++n) {
        const int i = ((from + step * n) % count + count) % count;
        TbsSkinMainMenuBarItem* item = Items(i);
        if (!item || !item->Shown || !item->Enabled || item == current)
            continue;
        if (current)
            current->MouseLeave();
        FHotObject = i;
        item->MouseEnter();
        return;
    }
}

void TbsSkinMainMenuBar::SelectNextItem() {
    SelectStep(1);
}

void TbsSkinMainMenuBar::SelectPreviousItem() {
    SelectStep(-1);
}

bool TbsSkinMainMenuBar::ClickActiveItem() {
    const bool popupOpen = MenuEngine() && MenuEngine()->EngineActive();
    for (int i = 0; i < ObjectCount(); ++i) {
        TbsSkinMainMenuBarItem* item = Items(i);
        if (!item)
            continue;
        if ((item->Down() && !item->HasSubitems()) || (item->Active && !popupOpen)) {
            item->Active = false;
            item->MouseDown(0, 0, mbLeft);
            return true;
        }
    }
    return false;
}

bool TbsSkinMainMenuBar::HandleAccelerator(int key) {
    const bool popupOpen = MenuEngine() && MenuEngine()->EngineActive();
    for (int i = 0; i < ObjectCount(); ++i) {
        TbsSkinMainMenuBarItem* item = Items(i);
        if (!item || !item->Shown || !item->Enabled || !item->MenuItem ||
            !IsAccel(key, item->MenuItem->Caption()))
            continue;
        BeginKeyboardMode();
        FHotObject = i;
        if (!item->Active)
            item->MouseEnter();
        if (!(popupOpen && item->HasSubitems()) && !item->Down())
            item->MouseDown(0, 0, mbLeft);
        return true;
    }
    return false;
}

bool TbsSkinMainMenuBar::MenuKeyDown(int key) {
    TbsSkinMenu* engine = MenuEngine();
    const bool popupOpen = engine && engine->EngineActive() && engine->Opener() == this;
    switch (key) {
    case Qt::Key_Escape:
        if (popupOpen) {
            FEscapeClosing = engine->LevelCount() == 1;
            return false; // the popup closes a level
        }
        LeaveMenuMode();
        return true;
    case Qt::Key_Left:
        if (popupOpen && engine->LevelCount() > 1)
            return false;
        SelectPreviousItem();
        return true;
    case Qt::Key_Right:
        if (popupOpen) {
            TbsSkinPopupWindow* window = engine->Innermost();
            const int hot = window ? window->HotIndex() : -1;
            if (hot >= 0 && window->Items(hot)->HasChildren())
                return false;
        }
        SelectNextItem();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return ClickActiveItem();
    default:
        break;
    }
    if (popupOpen || key < Qt::Key_0 || key > Qt::Key_Z)
        return false;
    HandleAccelerator(key); // in keyboard mode every letter is the bar's
    return true;
}

bool TbsSkinMainMenuBar::DialogChar(QChar ch) {
    return HandleAccelerator(ch.toUpper().unicode());
}

// The bar's keyboard hook: a lone Alt press and release on the bar's window toggles
// keyboard mode; in keyboard mode (no popup open) the keys move along the bar.
bool TbsSkinMainMenuBar::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease &&
        type != QEvent::ShortcutOverride && type != QEvent::MouseButtonPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != window() || !isVisible() || !Enabled())
        return false;
    return KeyboardHook(watched, event);
}

bool TbsSkinMainMenuBar::KeyboardHook(QObject* watched, QEvent* event) {
    TbsSkinMenu* engine = MenuEngine();
    if (engine && engine->EngineActive())
        return false; // the engine has the keys and shows them to the bar first
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress) {
        if (FKeyboardMode && watched != this)
            LeaveMenuMode();
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::KeyRelease) {
        if (key->key() == Qt::Key_Alt && FAltAlone) {
            FAltAlone = false;
            if (FKeyboardMode)
                LeaveMenuMode();
            else
                EnterKeyboardMode();
            return true;
        }
        return false;
    }
    if (type == QEvent::KeyPress)
        FAltAlone = key->key() == Qt::Key_Alt && !key->isAutoRepeat();
    if (key->key() == Qt::Key_Alt || !FKeyboardMode)
        return false;
    if (IsKeyPress(type) && type == QEvent::ShortcutOverride) {
        key->accept(); // keyboard mode takes every key as a key press
        return true;
    }
    MenuKeyDown(key->key());
    return true;
}
