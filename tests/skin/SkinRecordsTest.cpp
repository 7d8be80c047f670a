// The record classes: which kind keyword makes which class, every key of every class in
// reading order with its default, and that what a record saves reads back unchanged.

#include "skin/bsSkinDataRecords.h"

#include "framework/IniFiles.h"
#include "framework/Strings.h"

#include <QRegularExpression>
#include <functional>
#include <gtest/gtest.h>
#include <typeindex>

namespace {

// ---- expected key lists, built from the groups the records share

using Keys = QStringList;

Keys Rects(std::initializer_list<const char*> names) {
    Keys k;
    for (const char* n : names)
        k << QString::fromLatin1(n) + "=0,0,0,0";
    return k;
}
Keys Points(std::initializer_list<const char*> names) {
    Keys k;
    for (const char* n : names)
        k << QString::fromLatin1(n) + "=0,0";
    return k;
}
Keys Values(std::initializer_list<const char*> names, const char* value) {
    Keys k;
    for (const char* n : names)
        k << QString::fromLatin1(n) + "=" + value;
    return k;
}
Keys Zeros(std::initializer_list<const char*> names) {
    return Values(names, "0");
}
const Keys Font = {"fontname=Arial", "fontheight=14", "fontstyle=", "fontcolor=0"};
const Keys Control = {"pictureindex=-1", "maskpictureindex=-1", "skinrect=0,0,0,0"};
const Keys Custom =
    Control + Points({"lefttoppoint", "righttoppoint", "leftbottompoint", "rightbottompoint"}) +
    Rects({"clientrect"});
const Keys Object = {"hint=",
                     "activepictureindex=-1",
                     "skinrectinapicture=0",
                     "skinrect=0,0,0,0",
                     "activeskinrect=0,0,0,0",
                     "morphing=0",
                     "morphkind=mkdefault"};
const Keys Button = Object + Rects({"downrect", "disableskinrsect"});
const Keys StdButton =
    Button + Keys{"command=cmdefault"} +
    Rects({"restorerect", "restoreactiverect", "restoredownrect", "restoreinactiverect"});
const Keys ButtonControl = Custom + Font +
                           Zeros({"activefontcolor", "downfontcolor", "disabledfontcolor"}) +
                           Rects({"activeskinrect", "downskinrect", "disabledskinrect"}) +
                           Keys{"morphing=0", "morphkind=mkdefault"};
const Keys Edit =
    Custom + Rects({"activeskinrect"}) + Font + Zeros({"disabledfontcolor", "activefontcolor"}) +
    Rects({"buttonrect", "activebuttonrect", "downbuttonrect", "unenabledbuttonrect"});
const Keys ListBox = Custom + Rects({"itemrect", "activeitemrect", "focusitemrect"}) +
                     Zeros({"itemleftoffset", "itemrightoffset"}) + Rects({"itemtextrect"}) + Font +
                     Zeros({"activefontcolor", "focusfontcolor"}) + Rects({"captionrect"}) +
                     Keys{"captionfontname=Arial", "captionfontheight=14",
                          "captionfontstyle=", "captionfontcolor=0"} +
                     Rects({"upbuttonrect", "activeupbuttonrect", "downupbuttonrect",
                            "downbuttonrect", "activedownbuttonrect", "downdownbuttonrect",
                            "checkbuttonrect", "activecheckbuttonrect", "downcheckbuttonrect"}) +
                     Keys{"vscrollbarname=vscrollbar", "hscrollbarname=hscrollbar",
                          "bothhscrollbarname=bothhscrollbar"};
const Keys MainMenuItem = Object + Zeros({"itemleftoffset", "itemrightoffset"}) +
                          Rects({"downrect", "textrect"}) + Font +
                          Zeros({"activefontcolor", "downfontcolor", "unenabledfontColor"});

struct KindCase {
    const char* kind;
    std::type_index type;
    Keys keys;
};

const std::vector<KindCase>& ControlCases() {
    static const std::vector<KindCase> cases = {
        {"panel", typeid(TbsDataSkinPanelControl),
         Custom + Keys{"bgpictureindex=-1", "captionrect=0,0,0,0", "alignment=tacenter"} + Font +
             Rects({"checkimagerect", "uncheckimagerect"})},
        {"expanel", typeid(TbsDataSkinExPanelControl),
         Custom + Rects({"rollhskinrect", "rollvskinrect"}) +
             Zeros({"rollleftoffset", "rollrightoffset", "rolltopoffset", "rollbottomoffset"}) +
             Rects({"rollvcaptionrect", "rollhcaptionrect", "closebuttonrect",
                    "closebuttonactiverect", "closebuttondownrect", "hrollbuttonrect",
                    "hrollbuttonactiverect", "hrollbuttondownrect", "hrestorebuttonrect",
                    "hrestorebuttonactiverect", "hrestorebuttondownrect", "vrollbuttonrect",
                    "vrollbuttonactiverect", "vrollbuttondownrect", "vrestorebuttonrect",
                    "vrestorebuttonactiverect", "vrestorebuttondownrect", "captionrect"}) +
             Font},
        {"menubutton", typeid(TbsDataSkinMenuButtonControl),
         ButtonControl + Rects({"trackbuttonrect"})},
        {"button", typeid(TbsDataSkinButtonControl), ButtonControl},
        {"checkradio", typeid(TbsDataSkinCheckRadioControl),
         Custom + Font + Zeros({"activefontcolor", "unenabledfontcolor", "framefontcolor"}) +
             Rects({"activeskinrect", "checkimagearea", "textarea", "checkimagerect",
                    "uncheckimagerect", "activecheckimagerect", "activeuncheckimagerect",
                    "unenabledcheckimagerect", "unenableduncheckimagerect"}) +
             Keys{"morphing=0", "morphkind=mkdefault"}},
        {"gauge", typeid(TbsDataSkinGaugeControl),
         Custom + Rects({"progressarea", "progressrect"}) +
             Zeros({"beginoffset", "endoffset", "vertical"}) + Font},
        {"splitter", typeid(TbsDataSkinSplitterControl), Custom},
        {"trackbar", typeid(TbsDataSkinTrackBarControl),
         Custom + Rects({"trackarea", "buttonrect", "activebuttonrect"}) + Zeros({"vertical"})},
        {"label", typeid(TbsDataSkinLabelControl), Custom + Font},
        {"stdlabel", typeid(TbsDataSkinStdLabelControl),
         Control + Font + Keys{"activefontcolor=16711680"}},
        {"updown", typeid(TbsDataSkinUpDownControl),
         Custom + Rects({"upbuttonrect", "activeupbuttonrect", "downupbuttonrect", "downbuttonrect",
                         "activedownbuttonrect", "downdownbuttonrect"})},
        {"grid", typeid(TbsDataSkinGridControl),
         Control + Rects({"fixedcellrect", "selectcellrect", "focuscellrect"}) +
             Zeros({"fixedcellleftoffset", "fixedcellrightoffset"}) + Rects({"fixedcelltextrect"}) +
             Zeros({"cellleftoffset", "cellrightoffset"}) + Rects({"celltextrect"}) +
             Zeros({"linescolor", "bgcolor"}) + Font +
             Zeros({"selectfontcolor", "focusfontcolor"}) +
             Keys{"fixedfontname=Arial", "fixedfontheight=14",
                  "fixedfontstyle=", "fixedfontcolor=0"}},
        {"tab", typeid(TbsDataSkinTabControl),
         Control +
             Rects({"tabrect", "activetabrect", "focustabrect", "mouseintabrect", "clientrect"}) +
             Keys{"bgpictureindex=-1"} +
             Points({"lefttoppoint", "righttoppoint", "leftbottompoint", "rightbottompoint"}) +
             Zeros({"tableftoffset", "tabrightoffset"}) + Rects({"tabsbgrect"}) + Font +
             Zeros({"activefontcolor", "focusfontcolor", "mouseinfontcolor"}) + Keys{"updown="}},
        {"mainmenubar", typeid(TbsDataSkinMainMenuBar),
         Control + Rects({"itemsrect"}) +
             Values({"menubaritem", "closebutton", "minbutton", "maxbutton", "sysmenubutton"}, "") +
             Zeros({"trackmarkcolor", "trackmarkactivecolor"})},
        {"controlbar", typeid(TbsDataSkinControlBar),
         Custom + Rects({"itemrect"}) + Keys{"bgpictureindex=-1"}},
        {"memo", typeid(TbsDataSkinMemoControl), Edit + Zeros({"bgcolor", "activebgcolor"})},
        {"edit", typeid(TbsDataSkinEditControl), Edit},
        {"checklistbox", typeid(TbsDataSkinCheckListBox),
         ListBox + Rects({"itemcheckrect", "checkimagerect", "uncheckimagerect"})},
        {"listbox", typeid(TbsDataSkinListBox), ListBox},
        {"combobox", typeid(TbsDataSkinComboBox),
         Custom + Rects({"itemrect", "focusitemrect"}) +
             Zeros({"itemleftoffset", "itemrightoffset"}) + Rects({"itemtextrect"}) + Font +
             Keys{"focusfontcolor=0", "listboxname="} +
             Rects({"buttonrect", "activebuttonrect", "downbuttonrect", "unenabledbuttonrect"})},
        {"scrollbar", typeid(TbsDataSkinScrollBarControl),
         Custom +
             Rects({"trackarea", "upbuttonrect", "activeupbuttonrect", "downupbuttonrect",
                    "downbuttonrect", "activedownbuttonrect", "downdownbuttonrect", "thumbrect",
                    "activethumbrect", "downthumbrect"}) +
             Zeros({"thumboffset1", "thumboffset2"}) +
             Rects({"glyphrect", "activeglyphrect", "downglyphrect"})},
        {"spinedit", typeid(TbsDataSkinSpinEditControl),
         Custom + Rects({"activeskinrect"}) + Font +
             Zeros({"activefontcolor", "disabledfontcolor"}) +
             Rects({"upbuttonrect", "activeupbuttonrect", "downupbuttonrect", "downbuttonrect",
                    "activedownbuttonrect", "downdownbuttonrect"})},
        {"scrollbox", typeid(TbsDataSkinScrollBoxControl), Custom + Keys{"bgpictureindex=-1"}},
        {"treeview", typeid(TbsDataSkinTreeView), Control + Font + Zeros({"bgcolor"})},
        {"bevel", typeid(TbsDataSkinBevel), Control + Zeros({"lightcolor", "darkcolor"})},
        {"slider", typeid(TbsDataSkinSlider),
         Control + Zeros({"bgcolor"}) +
             Rects({"hrulerrect", "hthumbrect", "vrulerrect", "vthumbrect"}) +
             Zeros({"edgesize", "pointscolor"})},
        {"listview", typeid(TbsDataSkinListView), Control + Font + Zeros({"bgcolor"})},
        {"richedit", typeid(TbsDataSkinRichEdit), Control + Font + Zeros({"bgcolor"})},
    };
    return cases;
}

const std::vector<KindCase>& ObjectCases() {
    static const std::vector<KindCase> cases = {
        {"menuitem", typeid(TbsDataSkinMenuItem),
         Object + Zeros({"itemleftoffset", "itemrightoffset"}) + Rects({"dividerrect"}) +
             Zeros({"dividerleftoffset", "dividerrightoffset"}) + Rects({"textrect"}) + Font +
             Zeros({"activefontcolor", "unenabledfontcolor"})},
        {"mainmenubaritem", typeid(TbsDataSkinMainMenuBarItem), MainMenuItem},
        {"stdbutton", typeid(TbsDataSkinStdButton), StdButton},
        {"mainmenubarbutton", typeid(TbsDataSkinMainMenuBarButton), StdButton},
        {"button", typeid(TbsDataSkinButton), Button},
        {"caption", typeid(TbsDataSkinCaption),
         Object + Rects({"textrect"}) + Font +
             Keys{"activefontcolor=0", "alignment=tacenter", "shadow=0"} +
             Zeros({"shadowcolor", "activeshadowcolor"}) +
             Rects({"framerect", "activeframerect", "frametextrect"}) +
             Zeros({"frameleftoffset", "framerightoffset"})},
        {"animate", typeid(TbsDataSkinAnimate),
         Object + Keys{"countframes=1", "cycle=0", "buttonstyle=0", "timerinterval=50",
                       "command=cmdefault"}},
        {"userobject", typeid(TbsDataUserObject), Keys{"skinrect=0,0,0,0"}},
    };
    return cases;
}

// What a record writes: its section's "key=value" lines in order.
Keys SavedKeys(TbsSkinRecord& record) {
    TMemIniFile ini;
    record.SaveToIni(ini);
    TStringList lines;
    ini.ReadSectionValues(record.IDName, lines);
    return lines.ToStringList();
}

std::unique_ptr<TbsSkinRecord> Create(bool object, const char* kind, const QString& name) {
    if (object)
        return CreateSkinObjectRecord(kind, name);
    return CreateSkinControlRecord(kind, name);
}

// A value unlike the default of the same form, so that a key that is not read shows.
QString OtherValue(const QString& key, const QString& value, int i) {
    static const QHash<QString, QString> keywords = {
        {"tacenter", "taleftjustify"}, {"mkdefault", "mkpush"}, {"cmdefault", "cmrollup"}};
    if (keywords.contains(value))
        return keywords[value];
    if (value.count(',') == 3)
        return QStringLiteral("%1,%2,%3,%4").arg(i).arg(i + 1).arg(i + 2).arg(i + 3);
    if (value.count(',') == 1)
        return QStringLiteral("%1,%2").arg(i).arg(i + 1);
    if (key.endsWith("fontstyle"))
        return "fsitalic,fsunderline";
    bool isNumber = false;
    value.toInt(&isNumber);
    if (isNumber)
        return "1"; // differs from every numeric default except countframes
    return "Text" + QString::number(i);
}

void CheckKinds(bool object, const std::vector<KindCase>& cases) {
    for (const KindCase& c : cases) {
        SCOPED_TRACE(c.kind);
        auto record = Create(object, c.kind, "rec");
        ASSERT_TRUE(record);
        const auto& made = *record;
        EXPECT_EQ(std::type_index(typeid(made)), c.type);
        EXPECT_EQ(record->IDName, "rec");
        // Defaults of a new record and of one read from an empty section, key by key.
        EXPECT_EQ(SavedKeys(*record), c.keys);
        TMemIniFile empty;
        auto loaded = Create(object, c.kind, "rec");
        loaded->LoadFromIni(empty);
        EXPECT_EQ(SavedKeys(*loaded), c.keys);
        // Kinds are compared whole and with their case.
        EXPECT_FALSE(Create(object, QString(c.kind).toUpper().toLatin1().constData(), "x"));
        EXPECT_FALSE(Create(object, (QString(c.kind) + " ").toLatin1().constData(), "x"));
    }
}

} // namespace

TEST(SkinRecords, ControlKindsMakeTheirClassWithDefaultsInReadingOrder) {
    CheckKinds(false, ControlCases());
    EXPECT_FALSE(CreateSkinControlRecord("caption", "x"));
    EXPECT_FALSE(CreateSkinControlRecord("", "x"));
}

TEST(SkinRecords, ObjectKindsMakeTheirClassWithDefaultsInReadingOrder) {
    CheckKinds(true, ObjectCases());
    EXPECT_FALSE(CreateSkinObjectRecord("panel", "x"));
    EXPECT_FALSE(CreateSkinObjectRecord("Button", "x"));
    EXPECT_FALSE(CreateSkinObjectRecord("mainmenuitem", "x"));
}

TEST(SkinRecords, SaveWritesBackWhatWasRead) {
    for (bool object : {false, true}) {
        for (const KindCase& c : object ? ObjectCases() : ControlCases()) {
            SCOPED_TRACE(c.kind);
            // A section where every key has a value other than its default.
            Keys section;
            int i = 1;
            for (const QString& line : c.keys) {
                const QString key = line.section('=', 0, 0);
                section << key + "=" + OtherValue(key, line.section('=', 1), i++);
            }
            TMemIniFile ini(QStringList{"[rec]"} + section);
            auto record = Create(object, c.kind, "rec");
            record->LoadFromIni(ini);
            Keys expected = section;
            if (c.type == typeid(TbsDataSkinUpDownControl)) {
                // The corner points and client rectangle of an up-down always read as zero.
                for (QString& line : expected)
                    if (line.contains(QRegularExpression("point=|^clientrect=")))
                        line = line.section('=', 0, 0) + "=" +
                               (line.count(',') == 3 ? "0,0,0,0" : "0,0");
            }
            if (c.type == typeid(TbsDataSkinAnimate))
                expected.replaceInStrings("morphing=1", "morphing=0");
            EXPECT_EQ(SavedKeys(*record), expected);

            // Saving erases the section first and reads back the same.
            ini.WriteString("rec", "stray", "1");
            record->SaveToIni(ini);
            EXPECT_FALSE(ini.ValueExists("rec", "stray"));
            auto again = Create(object, c.kind, "rec");
            again->LoadFromIni(ini);
            EXPECT_EQ(SavedKeys(*again), expected);
        }
    }
}

TEST(SkinRecords, SpecialReaders) {
    TMemIniFile ini(QStringList{"[u]", "skinrect=1,2,3,4", "activepictureindex=5", "hint=tip",
                                "morphing=1", "[a]", "morphing=1", "countframes=6",
                                "command=cmMinimizeToTray", "[ud]", "lefttoppoint=3,3",
                                "clientrect=1,1,9,9", "upbuttonrect=1,2,3,4", "[b]",
                                "disableskinrsect=5,6,7,8", "DownRect=1,1,2,2"});
    TbsDataUserObject user("u");
    user.LoadFromIni(ini);
    EXPECT_EQ(user.SkinRect, TRect(1, 2, 3, 4));
    EXPECT_EQ(user.ActivePictureIndex, -1);
    EXPECT_EQ(user.Hint, "");
    EXPECT_FALSE(user.Morphing);

    TbsDataSkinAnimate animate("a");
    animate.LoadFromIni(ini);
    EXPECT_FALSE(animate.Morphing);
    EXPECT_EQ(animate.CountFrames, 6);
    EXPECT_EQ(animate.Command, TbsStdCommand::cmMinimizeToTray);

    TbsDataSkinUpDownControl upDown("ud");
    upDown.LoadFromIni(ini);
    EXPECT_EQ(upDown.LeftTopPoint, TPoint());
    EXPECT_EQ(upDown.ClientRect, TRect());
    EXPECT_EQ(upDown.UpButtonRect, TRect(1, 2, 3, 4));

    // Keys match without regard to case; the misspelt key is the one read.
    TbsDataSkinButton button("b");
    button.LoadFromIni(ini);
    EXPECT_EQ(button.DisableSkinRect, TRect(5, 6, 7, 8));
    EXPECT_EQ(button.DownRect, TRect(1, 1, 2, 2));
}

TEST(SkinRecords, PopupAndHintWindows) {
    TbsDataSkinPopupWindow popup;
    TbsDataSkinHintWindow hint;
    EXPECT_EQ(popup.WindowPictureIndex, -1);
    EXPECT_EQ(hint.WindowPictureIndex, -1);
    EXPECT_EQ(hint.FontName, "Arial");
    EXPECT_EQ(hint.FontHeight, 14);

    TMemIniFile ini(QStringList{"[POPUPWINDOW]", "windowpictureindex=2", "itemsrect=1,2,3,4",
                                "scrollmarkeractivecolor=$FF", "bottomstretch=1", "[HINTWINDOW]",
                                "clientrect=4,4,8,8", "fontname=宋体", "fontstyle=fsbold",
                                "leftstretch=1"});
    popup.LoadFromIni(ini, "POPUPWINDOW");
    hint.LoadFromIni(ini, "HINTWINDOW");
    EXPECT_EQ(popup.WindowPictureIndex, 2);
    EXPECT_EQ(popup.MaskPictureIndex, -1);
    EXPECT_EQ(popup.ItemsRect, TRect(1, 2, 3, 4));
    EXPECT_EQ(popup.ScrollMarkerActiveColor, 255);
    EXPECT_TRUE(popup.BottomStretch);
    EXPECT_FALSE(popup.TopStretch);
    EXPECT_EQ(hint.WindowPictureIndex, -1);
    EXPECT_EQ(hint.ClientRect, TRect(4, 4, 8, 8));
    EXPECT_EQ(hint.FontName, QStringLiteral("宋体"));
    EXPECT_EQ(hint.FontStyle, TFontStyles{fsBold});
    EXPECT_TRUE(hint.LeftStretch);

    TMemIniFile saved;
    popup.SaveToIni(saved, "P");
    hint.SaveToIni(saved, "H");
    TbsDataSkinPopupWindow popup2;
    TbsDataSkinHintWindow hint2;
    popup2.LoadFromIni(saved, "P");
    hint2.LoadFromIni(saved, "H");
    EXPECT_EQ(popup2.ScrollMarkerActiveColor, 255);
    EXPECT_EQ(popup2.ItemsRect, popup.ItemsRect);
    EXPECT_TRUE(popup2.BottomStretch);
    EXPECT_EQ(hint2.FontName, hint.FontName);
    EXPECT_EQ(hint2.FontStyle, hint.FontStyle);
    EXPECT_EQ(hint2.ClientRect, hint.ClientRect);
}
