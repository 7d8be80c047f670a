// Frame-object records, the popup and hint window records, and the kind-to-class tables.

#include "skin/bsSkinDataRecords.h"
#include "skin/bsSkinIniFields.h"

#include "framework/IniFiles.h"

#include <array>
#include <utility>

void TbsDataSkinObject::ExchangeFields(TbsIniFields& f) {
    f.String("hint", Hint);
    f.Int("activepictureindex", ActivePictureIndex, -1);
    f.Bool("skinrectinapicture", SkinRectInAPicture);
    f.Rect("skinrect", SkinRect);
    f.Rect("activeskinrect", ActiveSkinRect);
    f.Morph(*this);
}

void TbsDataUserObject::ExchangeFields(TbsIniFields& f) {
    f.Rect("skinrect", SkinRect);
}

void TbsDataSkinButton::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinObject::ExchangeFields(f);
    f.Rect("downrect", DownRect);
    f.Rect("disableskinrsect", DisableSkinRect);
}

void TbsDataSkinStdButton::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinButton::ExchangeFields(f);
    f.Command("command", Command);
    f.Rect("restorerect", RestoreRect);
    f.Rect("restoreactiverect", RestoreActiveRect);
    f.Rect("restoredownrect", RestoreDownRect);
    f.Rect("restoreinactiverect", RestoreInActiveRect);
}

void TbsDataSkinAnimate::LoadFromIni(TCustomIniFile& ini) {
    TbsDataSkinObject::LoadFromIni(ini);
    Morphing = false;
}

void TbsDataSkinAnimate::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinObject::ExchangeFields(f);
    f.Int("countframes", CountFrames, 1);
    f.Bool("cycle", Cycle);
    f.Bool("buttonstyle", ButtonStyle);
    f.Int("timerinterval", TimerInterval, 50);
    f.Command("command", Command);
}

void TbsDataSkinMenuItem::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinObject::ExchangeFields(f);
    f.Int("itemleftoffset", ItemLeftOffset, 0);
    f.Int("itemrightoffset", ItemRightOffset, 0);
    f.Rect("dividerrect", DividerRect);
    f.Int("dividerleftoffset", DividerLeftOffset, 0);
    f.Int("dividerrightoffset", DividerRightOffset, 0);
    f.Rect("textrect", TextRect);
    f.Font(*this);
    f.Color("activefontcolor", ActiveFontColor);
    f.Color("unenabledfontcolor", UnEnabledFontColor);
}

void TbsDataSkinMainMenuItem::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinObject::ExchangeFields(f);
    f.Int("itemleftoffset", ItemLeftOffset, 0);
    f.Int("itemrightoffset", ItemRightOffset, 0);
    f.Rect("downrect", DownRect);
    f.Rect("textrect", TextRect);
    f.Font(*this);
    f.Color("activefontcolor", ActiveFontColor);
    f.Color("downfontcolor", DownFontColor);
    f.Color("unenabledfontColor", UnEnabledFontColor);
}

void TbsDataSkinCaption::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinObject::ExchangeFields(f);
    f.Rect("textrect", TextRect);
    f.Font(*this);
    f.Color("activefontcolor", ActiveFontColor);
    f.Alignment("alignment", Alignment);
    f.Bool("shadow", Shadow);
    f.Color("shadowcolor", ShadowColor);
    f.Color("activeshadowcolor", ActiveShadowColor);
    f.Rect("framerect", FrameRect);
    f.Rect("activeframerect", ActiveFrameRect);
    f.Rect("frametextrect", FrameTextRect);
    f.Int("frameleftoffset", FrameLeftOffset, 0);
    f.Int("framerightoffset", FrameRightOffset, 0);
}

// ---- popup and hint windows

template <class T>
void TbsDataSkinWindow<T>::LoadFromIni(TCustomIniFile& ini, const QString& section) {
    TbsIniFields fields(ini, section, TbsIniFields::TMode::Read);
    ExchangeFields(fields);
}

template <class T>
void TbsDataSkinWindow<T>::SaveToIni(TCustomIniFile& ini, const QString& section) {
    ini.EraseSection(section);
    TbsIniFields fields(ini, section, TbsIniFields::TMode::Write);
    ExchangeFields(fields);
}

template <class T> void TbsDataSkinWindow<T>::ExchangeFields(TbsIniFields& f) {
    f.Int("windowpictureindex", WindowPictureIndex, -1);
    f.Int("maskpictureindex", MaskPictureIndex, -1);
    f.Corners(*this);
    static_cast<T*>(this)->ExchangeInner(f);
    f.Stretches(*this);
}

template class TbsDataSkinWindow<TbsDataSkinPopupWindow>;
template class TbsDataSkinWindow<TbsDataSkinHintWindow>;

void TbsDataSkinPopupWindow::ExchangeInner(TbsIniFields& f) {
    f.Rect("itemsrect", ItemsRect);
    f.Color("scrollmarkercolor", ScrollMarkerColor);
    f.Color("scrollmarkeractivecolor", ScrollMarkerActiveColor);
}

void TbsDataSkinHintWindow::ExchangeInner(TbsIniFields& f) {
    f.Rect("clientrect", ClientRect);
    f.Font(*this);
}

// ---- kind keywords

namespace {

template <class Base> using TRecordMaker = std::unique_ptr<Base> (*)(const QString&);

template <class Base, class T> std::unique_ptr<Base> Make(const QString& idName) {
    return std::make_unique<T>(idName);
}

template <class Base, size_t N>
std::unique_ptr<Base>
CreateRecord(const std::array<std::pair<const char*, TRecordMaker<Base>>, N>& kinds,
             const QString& kind, const QString& idName) {
    for (const auto& [keyword, make] : kinds) {
        if (kind == QLatin1String(keyword))
            return make(idName);
    }
    return nullptr;
}

using O = TbsDataSkinObject;
const std::array<std::pair<const char*, TRecordMaker<O>>, 8> ObjectKinds = {{
    {"menuitem", &Make<O, TbsDataSkinMenuItem>},
    {"mainmenubaritem", &Make<O, TbsDataSkinMainMenuBarItem>},
    {"stdbutton", &Make<O, TbsDataSkinStdButton>},
    {"mainmenubarbutton", &Make<O, TbsDataSkinMainMenuBarButton>},
    {"button", &Make<O, TbsDataSkinButton>},
    {"caption", &Make<O, TbsDataSkinCaption>},
    {"animate", &Make<O, TbsDataSkinAnimate>},
    {"userobject", &Make<O, TbsDataUserObject>},
}};

using C = TbsDataSkinControl;
const std::array<std::pair<const char*, TRecordMaker<C>>, 28> ControlKinds = {{
    {"panel", &Make<C, TbsDataSkinPanelControl>},
    {"expanel", &Make<C, TbsDataSkinExPanelControl>},
    {"menubutton", &Make<C, TbsDataSkinMenuButtonControl>},
    {"button", &Make<C, TbsDataSkinButtonControl>},
    {"checkradio", &Make<C, TbsDataSkinCheckRadioControl>},
    {"gauge", &Make<C, TbsDataSkinGaugeControl>},
    {"splitter", &Make<C, TbsDataSkinSplitterControl>},
    {"trackbar", &Make<C, TbsDataSkinTrackBarControl>},
    {"label", &Make<C, TbsDataSkinLabelControl>},
    {"stdlabel", &Make<C, TbsDataSkinStdLabelControl>},
    {"updown", &Make<C, TbsDataSkinUpDownControl>},
    {"grid", &Make<C, TbsDataSkinGridControl>},
    {"tab", &Make<C, TbsDataSkinTabControl>},
    {"mainmenubar", &Make<C, TbsDataSkinMainMenuBar>},
    {"controlbar", &Make<C, TbsDataSkinControlBar>},
    {"memo", &Make<C, TbsDataSkinMemoControl>},
    {"edit", &Make<C, TbsDataSkinEditControl>},
    {"checklistbox", &Make<C, TbsDataSkinCheckListBox>},
    {"listbox", &Make<C, TbsDataSkinListBox>},
    {"combobox", &Make<C, TbsDataSkinComboBox>},
    {"scrollbar", &Make<C, TbsDataSkinScrollBarControl>},
    {"spinedit", &Make<C, TbsDataSkinSpinEditControl>},
    {"scrollbox", &Make<C, TbsDataSkinScrollBoxControl>},
    {"treeview", &Make<C, TbsDataSkinTreeView>},
    {"bevel", &Make<C, TbsDataSkinBevel>},
    {"slider", &Make<C, TbsDataSkinSlider>},
    {"listview", &Make<C, TbsDataSkinListView>},
    {"richedit", &Make<C, TbsDataSkinRichEdit>},
}};

} // namespace

std::unique_ptr<TbsDataSkinObject> CreateSkinObjectRecord(const QString& kind,
                                                          const QString& idName) {
    return CreateRecord(ObjectKinds, kind, idName);
}

std::unique_ptr<TbsDataSkinControl> CreateSkinControlRecord(const QString& kind,
                                                            const QString& idName) {
    return CreateRecord(ControlKinds, kind, idName);
}
