// Control records: the keys each control style reads, in reading order.

#include "skin/bsSkinDataRecords.h"
#include "skin/bsSkinIniFields.h"

#include "framework/IniFiles.h"

void TbsSkinRecord::LoadFromIni(TCustomIniFile& ini) {
    TbsIniFields fields(ini, IDName, TbsIniFields::TMode::Read);
    ExchangeFields(fields);
}

void TbsSkinRecord::SaveToIni(TCustomIniFile& ini) {
    ini.EraseSection(IDName);
    TbsIniFields fields(ini, IDName, TbsIniFields::TMode::Write);
    ExchangeFields(fields);
}

void TbsDataSkinControl::ExchangeFields(TbsIniFields& f) {
    f.Int("pictureindex", PictureIndex, -1);
    f.Int("maskpictureindex", MaskPictureIndex, -1);
    f.Rect("skinrect", SkinRect);
}

void TbsDataSkinCustomControl::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinControl::ExchangeFields(f);
    f.Corners(*this);
    f.Rect("clientrect", ClientRect);
}

void TbsDataSkinPanelControl::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinCustomControl::ExchangeFields(f);
    f.Int("bgpictureindex", BGPictureIndex, -1);
    f.Rect("captionrect", CaptionRect);
    f.Alignment("alignment", Alignment);
    f.Font(*this);
    f.Rect("checkimagerect", CheckImageRect);
    f.Rect("uncheckimagerect", UnCheckImageRect);
}

void TbsDataSkinExPanelControl::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinCustomControl::ExchangeFields(f);
    f.Rect("rollhskinrect", RollHSkinRect);
    f.Rect("rollvskinrect", RollVSkinRect);
    f.Int("rollleftoffset", RollLeftOffset, 0);
    f.Int("rollrightoffset", RollRightOffset, 0);
    f.Int("rolltopoffset", RollTopOffset, 0);
    f.Int("rollbottomoffset", RollBottomOffset, 0);
    f.Rect("rollvcaptionrect", RollVCaptionRect);
    f.Rect("rollhcaptionrect", RollHCaptionRect);
    f.Rect("closebuttonrect", CloseButtonRect);
    f.Rect("closebuttonactiverect", CloseButtonActiveRect);
    f.Rect("closebuttondownrect", CloseButtonDownRect);
    f.Rect("hrollbuttonrect", HRollButtonRect);
    f.Rect("hrollbuttonactiverect", HRollButtonActiveRect);
    f.Rect("hrollbuttondownrect", HRollButtonDownRect);
    f.Rect("hrestorebuttonrect", HRestoreButtonRect);
    f.Rect("hrestorebuttonactiverect", HRestoreButtonActiveRect);
    f.Rect("hrestorebuttondownrect", HRestoreButtonDownRect);
    f.Rect("vrollbuttonrect", VRollButtonRect);
    f.Rect("vrollbuttonactiverect", VRollButtonActiveRect);
    f.Rect("vrollbuttondownrect", VRollButtonDownRect);
    f.Rect("vrestorebuttonrect", VRestoreButtonRect);
    f.Rect("vrestorebuttonactiverect", VRestoreButtonActiveRect);
    f.Rect("vrestorebuttondownrect", VRestoreButtonDownRect);
    f.Rect("captionrect", CaptionRect);
    f.Font(*this);
}

void TbsDataSkinButtonControl::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinCustomControl::ExchangeFields(f);
    f.Font(*this);
    f.Color("activefontcolor", ActiveFontColor);
    f.Color("downfontcolor", DownFontColor);
    f.Color("disabledfontcolor", DisabledFontColor);
    f.Rect("activeskinrect", ActiveSkinRect);
    f.Rect("downskinrect", DownSkinRect);
    f.Rect("disabledskinrect", DisabledSkinRect);
    f.Morph(*this);
}

void TbsDataSkinMenuButtonControl::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinButtonControl::ExchangeFields(f);
    f.Rect("trackbuttonrect", TrackButtonRect);
}

void TbsDataSkinCheckRadioControl::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinCustomControl::ExchangeFields(f);
    f.Font(*this);
    f.Color("activefontcolor", ActiveFontColor);
    f.Color("unenabledfontcolor", UnEnabledFontColor);
    f.Color("framefontcolor", FrameFontColor);
    f.Rect("activeskinrect", ActiveSkinRect);
    f.Rect("checkimagearea", CheckImageArea);
    f.Rect("textarea", TextArea);
    f.Rect("checkimagerect", CheckImageRect);
    f.Rect("uncheckimagerect", UnCheckImageRect);
    f.Rect("activecheckimagerect", ActiveCheckImageRect);
    f.Rect("activeuncheckimagerect", ActiveUnCheckImageRect);
    f.Rect("unenabledcheckimagerect", UnEnabledCheckImageRect);
    f.Rect("unenableduncheckimagerect", UnEnabledUnCheckImageRect);
    f.Morph(*this);
}

void TbsDataSkinGaugeControl::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinCustomControl::ExchangeFields(f);
    f.Rect("progressarea", ProgressArea);
    f.Rect("progressrect", ProgressRect);
    f.Int("beginoffset", BeginOffset, 0);
    f.Int("endoffset", EndOffset, 0);
    f.Bool("vertical", Vertical);
    f.Font(*this);
}

void TbsDataSkinTrackBarControl::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinCustomControl::ExchangeFields(f);
    f.Rect("trackarea", TrackArea);
    f.Rect("buttonrect", ButtonRect);
    f.Rect("activebuttonrect", ActiveButtonRect);
    f.Bool("vertical", Vertical);
}

void TbsDataSkinLabelControl::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinCustomControl::ExchangeFields(f);
    f.Font(*this);
}

void TbsDataSkinStdLabelControl::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinControl::ExchangeFields(f);
    f.Font(*this);
    f.Color("activefontcolor", ActiveFontColor, 16711680);
}

void TbsDataSkinUpDownControl::LoadFromIni(TCustomIniFile& ini) {
    TbsDataSkinCustomControl::LoadFromIni(ini);
    LeftTopPoint = RightTopPoint = LeftBottomPoint = RightBottomPoint = TPoint();
    ClientRect = TRect();
}

void TbsDataSkinUpDownControl::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinCustomControl::ExchangeFields(f);
    f.UpDownButtons(*this);
}

void TbsDataSkinGridControl::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinControl::ExchangeFields(f);
    f.Rect("fixedcellrect", FixedCellRect);
    f.Rect("selectcellrect", SelectCellRect);
    f.Rect("focuscellrect", FocusCellRect);
    f.Int("fixedcellleftoffset", FixedCellLeftOffset, 0);
    f.Int("fixedcellrightoffset", FixedCellRightOffset, 0);
    f.Rect("fixedcelltextrect", FixedCellTextRect);
    f.Int("cellleftoffset", CellLeftOffset, 0);
    f.Int("cellrightoffset", CellRightOffset, 0);
    f.Rect("celltextrect", CellTextRect);
    f.Color("linescolor", LinesColor);
    f.Color("bgcolor", BGColor);
    f.Font(*this);
    f.Color("selectfontcolor", SelectFontColor);
    f.Color("focusfontcolor", FocusFontColor);
    f.FontGroup("fixedfont", FixedFontName, FixedFontHeight, FixedFontStyle, FixedFontColor);
}

void TbsDataSkinTabControl::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinControl::ExchangeFields(f);
    f.Rect("tabrect", TabRect);
    f.Rect("activetabrect", ActiveTabRect);
    f.Rect("focustabrect", FocusTabRect);
    f.Rect("mouseintabrect", MouseInTabRect);
    f.Rect("clientrect", ClientRect);
    f.Int("bgpictureindex", BGPictureIndex, -1);
    f.Corners(*this);
    f.Int("tableftoffset", TabLeftOffset, 0);
    f.Int("tabrightoffset", TabRightOffset, 0);
    f.Rect("tabsbgrect", TabsBGRect);
    f.Font(*this);
    f.Color("activefontcolor", ActiveFontColor);
    f.Color("focusfontcolor", FocusFontColor);
    f.Color("mouseinfontcolor", MouseInFontColor);
    f.String("updown", UpDown);
}

void TbsDataSkinMainMenuBar::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinControl::ExchangeFields(f);
    f.Rect("itemsrect", ItemsRect);
    f.String("menubaritem", MenuBarItem);
    f.String("closebutton", CloseButton);
    f.String("minbutton", MinButton);
    f.String("maxbutton", MaxButton);
    f.String("sysmenubutton", SysMenuButton);
    f.Color("trackmarkcolor", TrackMarkColor);
    f.Color("trackmarkactivecolor", TrackMarkActiveColor);
}

void TbsDataSkinControlBar::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinCustomControl::ExchangeFields(f);
    f.Rect("itemrect", ItemRect);
    f.Int("bgpictureindex", BGPictureIndex, -1);
}

void TbsDataSkinEditControl::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinCustomControl::ExchangeFields(f);
    f.Rect("activeskinrect", ActiveSkinRect);
    f.Font(*this);
    f.Color("disabledfontcolor", DisabledFontColor);
    f.Color("activefontcolor", ActiveFontColor);
    f.ButtonStates(*this);
}

void TbsDataSkinMemoControl::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinEditControl::ExchangeFields(f);
    f.Color("bgcolor", BGColor);
    f.Color("activebgcolor", ActiveBGColor);
}

void TbsDataSkinListBox::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinCustomControl::ExchangeFields(f);
    f.Rect("itemrect", ItemRect);
    f.Rect("activeitemrect", ActiveItemRect);
    f.Rect("focusitemrect", FocusItemRect);
    f.Int("itemleftoffset", ItemLeftOffset, 0);
    f.Int("itemrightoffset", ItemRightOffset, 0);
    f.Rect("itemtextrect", ItemTextRect);
    f.Font(*this);
    f.Color("activefontcolor", ActiveFontColor);
    f.Color("focusfontcolor", FocusFontColor);
    f.Rect("captionrect", CaptionRect);
    f.FontGroup("captionfont", CaptionFontName, CaptionFontHeight, CaptionFontStyle,
                CaptionFontColor);
    f.UpDownButtons(*this);
    f.Rect("checkbuttonrect", CheckButtonRect);
    f.Rect("activecheckbuttonrect", ActiveCheckButtonRect);
    f.Rect("downcheckbuttonrect", DownCheckButtonRect);
    f.String("vscrollbarname", VScrollBarName, QStringLiteral("vscrollbar"));
    f.String("hscrollbarname", HScrollBarName, QStringLiteral("hscrollbar"));
    f.String("bothhscrollbarname", BothHScrollBarName, QStringLiteral("bothhscrollbar"));
}

void TbsDataSkinCheckListBox::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinListBox::ExchangeFields(f);
    f.Rect("itemcheckrect", ItemCheckRect);
    f.Rect("checkimagerect", CheckImageRect);
    f.Rect("uncheckimagerect", UnCheckImageRect);
}

void TbsDataSkinComboBox::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinCustomControl::ExchangeFields(f);
    f.Rect("itemrect", ItemRect);
    f.Rect("focusitemrect", FocusItemRect);
    f.Int("itemleftoffset", ItemLeftOffset, 0);
    f.Int("itemrightoffset", ItemRightOffset, 0);
    f.Rect("itemtextrect", ItemTextRect);
    f.Font(*this);
    f.Color("focusfontcolor", FocusFontColor);
    f.String("listboxname", ListBoxName);
    f.ButtonStates(*this);
}

void TbsDataSkinScrollBarControl::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinCustomControl::ExchangeFields(f);
    f.Rect("trackarea", TrackArea);
    f.UpDownButtons(*this);
    f.Rect("thumbrect", ThumbRect);
    f.Rect("activethumbrect", ActiveThumbRect);
    f.Rect("downthumbrect", DownThumbRect);
    f.Int("thumboffset1", ThumbOffset1, 0);
    f.Int("thumboffset2", ThumbOffset2, 0);
    f.Rect("glyphrect", GlyphRect);
    f.Rect("activeglyphrect", ActiveGlyphRect);
    f.Rect("downglyphrect", DownGlyphRect);
}

void TbsDataSkinSpinEditControl::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinCustomControl::ExchangeFields(f);
    f.Rect("activeskinrect", ActiveSkinRect);
    f.Font(*this);
    f.Color("activefontcolor", ActiveFontColor);
    f.Color("disabledfontcolor", DisabledFontColor);
    f.UpDownButtons(*this);
}

void TbsDataSkinScrollBoxControl::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinCustomControl::ExchangeFields(f);
    f.Int("bgpictureindex", BGPictureIndex, -1);
}

void TbsDataSkinTreeView::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinControl::ExchangeFields(f);
    f.Font(*this);
    f.Color("bgcolor", BGColor);
}

void TbsDataSkinBevel::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinControl::ExchangeFields(f);
    f.Color("lightcolor", LightColor);
    f.Color("darkcolor", DarkColor);
}

void TbsDataSkinSlider::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinControl::ExchangeFields(f);
    f.Color("bgcolor", BGColor);
    f.Rect("hrulerrect", HRulerRect);
    f.Rect("hthumbrect", HThumbRect);
    f.Rect("vrulerrect", VRulerRect);
    f.Rect("vthumbrect", VThumbRect);
    f.Int("edgesize", EdgeSize, 0);
    f.Color("pointscolor", PointsColor);
}

void TbsDataSkinListView::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinControl::ExchangeFields(f);
    f.Font(*this);
    f.Color("bgcolor", BGColor);
}

void TbsDataSkinRichEdit::ExchangeFields(TbsIniFields& f) {
    TbsDataSkinControl::ExchangeFields(f);
    f.Font(*this);
    f.Color("bgcolor", BGColor);
}
