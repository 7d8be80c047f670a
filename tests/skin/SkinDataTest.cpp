// Loading skin folders: list entries and kinds, lookups, pictures, the frame corrections,
// rejection, failures and the messages sent to the forms.

#include "SkinFixture.h"

#include "skin/bsSkinData.h"

#include "framework/Exceptions.h"
#include "framework/Forms.h"

#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct TRecordedMessage {
    QString Receiver;
    QEvent::Type Type;
    TbsSkinData* SkinData;
    int Param;
    bool SkinEmpty;
};

// A form that records the skin messages it receives into a shared log.
class TRecordingForm : public TForm {
public:
    TRecordingForm(const QString& name, std::vector<TRecordedMessage>& log)
        : FName(name), FLog(log) {}

protected:
    bool event(QEvent* e) override {
        if (auto* m = dynamic_cast<TbsSkinMessageEvent*>(e))
            FLog.push_back({FName, m->type(), m->SkinData, m->Param, m->SkinData->SkinEmpty});
        return TForm::event(e);
    }

private:
    QString FName;
    std::vector<TRecordedMessage>& FLog;
};

// The types a receiver got, in order.
std::vector<QEvent::Type> TypesFor(const std::vector<TRecordedMessage>& log,
                                   const QString& receiver) {
    std::vector<QEvent::Type> types;
    for (const auto& m : log)
        if (m.Receiver == receiver)
            types.push_back(m.Type);
    return types;
}

const std::vector<QEvent::Type> FullLoad = {SkinChanging, SkinChanged, SkinChangeCompleted};

// The values the skin.ini format states for a missing key, one row a field, written out by
// hand from the format's tables rather than taken from the reader.
struct TStatedDefault {
    const char* Field;
    std::function<QString(const TbsSkinData&)> Value;
    const char* Stated;
};

QString Text(int v) {
    return QString::number(v);
}
QString Text(bool v) {
    return v ? QStringLiteral("true") : QStringLiteral("false");
}
QString Text(const TRect& r) {
    return QStringLiteral("%1,%2,%3,%4").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom);
}
QString Text(const TPoint& p) {
    return QStringLiteral("%1,%2").arg(p.X).arg(p.Y);
}

const TStatedDefault StatedDefaults[] = {
    {"skin name", [](auto& d) { return d.SkinName; }, ""},
    {"skin author", [](auto& d) { return d.SkinAuthor; }, ""},
    {"inactive picture name", [](auto& d) { return d.InactiveSkinPictureName; }, ""},
    {"mask name", [](auto& d) { return d.SkinMaskName; }, ""},
    {"active pictures", [](auto& d) { return Text(int(d.ActivePictures.size())); }, "0"},
    {"lefttoppoint", [](auto& d) { return Text(d.LeftTopPoint); }, "0,0"},
    {"rightbottompoint", [](auto& d) { return Text(d.RightBottomPoint); }, "0,0"},
    {"clientrect", [](auto& d) { return Text(d.ClientRect); }, "0,0,0,0"},
    {"bgpictureindex", [](auto& d) { return Text(d.BGPictureIndex); }, "-1"},
    {"mdibgpictureindex", [](auto& d) { return Text(d.MDIBGPictureIndex); }, "-1"},
    {"leftstretch", [](auto& d) { return Text(d.LeftStretch); }, "false"},
    {"bottomstretch", [](auto& d) { return Text(d.BottomStretch); }, "false"},
    {"maskrectarea", [](auto& d) { return Text(d.MaskRectArea); }, "0,0,0,0"},
    {"hittestlefttoppoint", [](auto& d) { return Text(d.HitTestLeftTopPoint); }, "0,0"},
    {"buttonsrect", [](auto& d) { return Text(d.ButtonsRect); }, "0,0,0,0"},
    {"buttonsoffset", [](auto& d) { return Text(d.ButtonsOffset); }, "0"},
    {"buttonsinleft", [](auto& d) { return Text(d.ButtonsInLeft); }, "false"},
    {"mainmenupopupup", [](auto& d) { return Text(d.MainMenuPopupUp); }, "false"},
    {"borderwidth", [](auto& d) { return Text(d.BorderWidth); }, "0"},
    {"autorenderinginactiveimage", [](auto& d) { return Text(d.AutoRenderingInActiveImage); },
     "false"},
    {"inactiveeffect (iebrightness)", [](auto& d) { return Text(int(d.InActiveEffect)); }, "0"},
    {"popup windowpictureindex", [](auto& d) { return Text(d.PopupWindow.WindowPictureIndex); },
     "-1"},
    {"popup maskpictureindex", [](auto& d) { return Text(d.PopupWindow.MaskPictureIndex); }, "-1"},
    {"popup scrollmarkercolor", [](auto& d) { return Text(int(d.PopupWindow.ScrollMarkerColor)); },
     "0"},
    {"hint windowpictureindex", [](auto& d) { return Text(d.HintWindow.WindowPictureIndex); },
     "-1"},
    {"hint fontname", [](auto& d) { return d.HintWindow.FontName; }, "Arial"},
    {"hint fontheight", [](auto& d) { return Text(d.HintWindow.FontHeight); }, "14"},
    {"hint fontcolor", [](auto& d) { return Text(int(d.HintWindow.FontColor)); }, "0"},
    {"hint fontstyle is regular", [](auto& d) { return Text(d.HintWindow.FontStyle.IsEmpty()); },
     "true"},
    {"frame objects", [](auto& d) { return Text(int(d.SkinObjects.size())); }, "0"},
    {"controls", [](auto& d) { return Text(int(d.SkinControls.size())); }, "0"},
};

void ExpectStatedDefaults(const TbsSkinData& data, const char* where) {
    for (const TStatedDefault& row : StatedDefaults)
        EXPECT_EQ(row.Value(data).toStdString(), row.Stated) << where << ": " << row.Field;
}

} // namespace

TEST(SkinData, StartsEmptyWithTheStatedDefaults) {
    TbsSkinData data;
    EXPECT_TRUE(data.SkinEmpty);
    EXPECT_TRUE(data.SkinPicture.Empty());
    EXPECT_EQ(data.IndexOfControl("btn"), -1);
    ExpectStatedDefaults(data, "before any load");
}

TEST(SkinData, KeysMissingFromTheFileTakeTheStatedDefaults) {
    // The required sections and the main picture, nothing else (a section counts only
    // with a key in it: these hold one that no reader knows).
    TSkinFixture skin;
    skin.AddPicture(QStringLiteral("skin.bmp"), 40, 30);
    skin.Set("PICTURES", "picture", "skin.bmp");
    for (const char* section : {"VERSION", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"})
        skin.Set(section, "unknownkey", "1");
    TbsSkinData data;
    data.LoadSkinFile(skin.Write());
    ASSERT_FALSE(data.SkinEmpty);
    EXPECT_EQ(data.SkinPicture.Width(), 40);
    ExpectStatedDefaults(data, "a file without the keys");
}

TEST(SkinData, LoadsABasicSkin) {
    TSkinFixture skin = TSkinFixture::Basic();
    TbsSkinData data;
    data.LoadSkinFile(skin.Write());
    ASSERT_FALSE(data.SkinEmpty);
    EXPECT_EQ(data.SkinName, QStringLiteral("测试皮肤"));
    EXPECT_EQ(data.SkinAuthor, "zarvo");
    EXPECT_TRUE(SamePixels(data.SkinPicture, FixturePicture(120, 80, 1)));
    EXPECT_TRUE(data.InactiveSkinPicture.Empty());
    EXPECT_TRUE(data.SkinMask.Empty());
    EXPECT_EQ(data.SkinPictureName, "skin.bmp");
    ASSERT_EQ(data.ActivePictures.size(), 2u);
    EXPECT_EQ(data.ActivePictureNames, QStringList({"a0.bmp", "a1.bmp"}));
    EXPECT_TRUE(SamePixels(*data.ActivePictures[1], FixturePicture(20, 10, 3)));
    EXPECT_EQ(data.ClientRect, TRect(5, 25, 115, 75));
    EXPECT_EQ(data.BorderWidth, 4);
    EXPECT_EQ(data.InActiveEffect, TbsInactiveEffect::ieBrightness);
    EXPECT_EQ(data.PopupWindow.WindowPictureIndex, 0);
    EXPECT_EQ(data.HintWindow.FontName, QStringLiteral("宋体"));

    ASSERT_EQ(data.SkinObjects.size(), 2u);
    auto* caption = dynamic_cast<TbsDataSkinCaption*>(data.SkinObjects[0].get());
    ASSERT_TRUE(caption);
    EXPECT_EQ(caption->TextRect, TRect(20, 0, 100, 25));
    auto* close = dynamic_cast<TbsDataSkinStdButton*>(
        data.SkinObjects[data.IndexOfSkinObject("close")].get());
    ASSERT_TRUE(close);
    EXPECT_EQ(close->Command, TbsStdCommand::cmClose);

    ASSERT_EQ(data.SkinControls.size(), 2u);
    auto* btn = dynamic_cast<TbsDataSkinButtonControl*>(data.SkinControls[0].get());
    ASSERT_TRUE(btn);
    EXPECT_EQ(btn->FontStyle, TFontStyles{fsBold});
    // "pictureindex" 1 refers to the second active picture.
    EXPECT_EQ(data.ActivePictures[btn->PictureIndex]->Width(), 20);
    EXPECT_EQ(data.IndexOfControl("vscrollbar"), 1);
}

TEST(SkinData, ListEntriesAndKinds) {
    TSkinFixture skin = TSkinFixture::Basic();
    skin.Set("SKINOBJECTS", "count", "5")
        .Set("SKINOBJECTS", "0", "btn:button")
        .Set("SKINOBJECTS", "1", "Big:Button")
        .Set("SKINOBJECTS", "2", "lonely")
        .Set("SKINOBJECTS", "3", "anim:animate:extra")
        .Set("SKINOBJECTS", "4", "top:userobject")
        .Set("SKINCONTROLS", "count", "5")
        .Set("SKINCONTROLS", "0", "btn:button")
        .Set("SKINCONTROLS", "1", "dup:panel")
        .Set("SKINCONTROLS", "2", "dup:label")
        .Set("SKINCONTROLS", "3", "button:Button")
        .Set("SKINCONTROLS", "4", "x:caption")
        .Set("btn", "downrect", "1,2,3,4")
        .Set("top", "activepictureindex", "3");
    TbsSkinData data;
    data.LoadSkinFile(skin.Write());

    // The same entry makes a frame-object button in one list and a control in the other,
    // both reading section [btn].
    ASSERT_EQ(data.SkinObjects.size(), 2u);
    auto* objectButton = dynamic_cast<TbsDataSkinButton*>(data.SkinObjects[0].get());
    ASSERT_TRUE(objectButton);
    EXPECT_EQ(objectButton->IDName, "btn");
    EXPECT_EQ(objectButton->DownRect, TRect(1, 2, 3, 4));
    EXPECT_EQ(data.SkinObjects[1]->IDName, "top");
    EXPECT_EQ(data.SkinObjects[1]->ActivePictureIndex, -1); // a user object reads skinrect only
    ASSERT_EQ(data.SkinControls.size(), 3u);
    auto* controlButton = dynamic_cast<TbsDataSkinButtonControl*>(data.SkinControls[0].get());
    ASSERT_TRUE(controlButton);
    EXPECT_EQ(controlButton->SkinRect, TRect(0, 0, 20, 10));

    // "Button" is not a kind; lookups are exact and the first of two names wins.
    EXPECT_EQ(data.IndexOfSkinObject("Big"), -1);
    EXPECT_EQ(data.IndexOfControl("button"), -1);
    EXPECT_EQ(data.IndexOfControl("Btn"), -1);
    EXPECT_EQ(data.IndexOfControl("dup"), 1);
    EXPECT_TRUE(dynamic_cast<TbsDataSkinPanelControl*>(data.SkinControls[1].get()));
    EXPECT_TRUE(dynamic_cast<TbsDataSkinLabelControl*>(data.SkinControls[2].get()));
}

TEST(SkinData, ListCountsOnlyVisitKeysThatExist) {
    TSkinFixture skin = TSkinFixture::Basic();
    skin.Set("SKINCONTROLS", "count", "2000000000")
        .Set("SKINCONTROLS", "7", "late:bevel")
        .Set("SKINCONTROLS", "01", "padded:bevel")
        .Set("SKINCONTROLS", "-1", "negative:bevel")
        .Set("SKINOBJECTS", "count", "1"); // "1" is past the count
    TbsSkinData data;
    data.LoadSkinFile(skin.Write());
    ASSERT_EQ(data.SkinControls.size(), 3u);
    EXPECT_EQ(data.SkinControls[2]->IDName, "late");
    ASSERT_EQ(data.SkinObjects.size(), 1u);
    EXPECT_EQ(data.SkinObjects[0]->IDName, "caption");
}

TEST(SkinData, FormInfoCorrections) {
    // Without a mask: only the corner points are clamped to the client rectangle.
    TSkinFixture skin = TSkinFixture::Basic();
    skin.Set("FORMINFO", "clientrect", "10,20,100,70")
        .Set("FORMINFO", "lefttoppoint", "5,8")
        .Set("FORMINFO", "righttoppoint", "105,8")
        .Set("FORMINFO", "leftbottompoint", "5,80")
        .Set("FORMINFO", "rightbottompoint", "105,80")
        .Set("FORMINFO", "maskrectarea", "0,0,0,0")
        .Set("FORMINFO", "hittestlefttoppoint", "0,4");
    TbsSkinData data;
    data.LoadSkinFile(skin.Write());
    EXPECT_EQ(data.LeftTopPoint, TPoint(10, 20));
    EXPECT_EQ(data.RightTopPoint, TPoint(100, 20));
    EXPECT_EQ(data.LeftBottomPoint, TPoint(10, 70));
    EXPECT_EQ(data.RightBottomPoint, TPoint(100, 70));
    EXPECT_EQ(data.MaskRectArea, TRect());
    EXPECT_EQ(data.HitTestLeftTopPoint, TPoint(0, 4));

    // Points already inside are kept.
    skin.Set("FORMINFO", "lefttoppoint", "30,40").Set("FORMINFO", "rightbottompoint", "60,50");
    data.LoadSkinFile(skin.Write());
    EXPECT_EQ(data.LeftTopPoint, TPoint(30, 40));
    EXPECT_EQ(data.RightBottomPoint, TPoint(60, 50));

    // A right-bottom point level with the left-top point turns the clamp off.
    skin.Set("FORMINFO", "lefttoppoint", "5,8").Set("FORMINFO", "rightbottompoint", "105,8");
    data.LoadSkinFile(skin.Write());
    EXPECT_EQ(data.LeftTopPoint, TPoint(5, 8));
    EXPECT_EQ(data.RightTopPoint, TPoint(105, 8));

    // With a mask: an empty mask area becomes the client rectangle, and hit-test points
    // with a zero coordinate take the corner points.
    skin.AddPicture("mask.bmp", 120, 80);
    skin.Set("PICTURES", "mask", "mask.bmp")
        .Set("FORMINFO", "lefttoppoint", "5,8")
        .Set("FORMINFO", "rightbottompoint", "105,80")
        .Set("FORMINFO", "hittestrighttoppoint", "90,9");
    data.LoadSkinFile(skin.Write());
    EXPECT_FALSE(data.SkinMask.Empty());
    EXPECT_EQ(data.MaskRectArea, TRect(10, 20, 100, 70));
    EXPECT_EQ(data.HitTestLeftTopPoint, TPoint(5, 8)); // corrected before the clamp
    EXPECT_EQ(data.HitTestRightTopPoint, TPoint(90, 9));
    EXPECT_EQ(data.HitTestLeftBottomPoint, TPoint(5, 80));
    EXPECT_EQ(data.LeftTopPoint, TPoint(10, 20));

    // A mask area is enlarged just enough to hold the client rectangle.
    skin.Set("FORMINFO", "maskrectarea", "15,5,50,90");
    data.LoadSkinFile(skin.Write());
    EXPECT_EQ(data.MaskRectArea, TRect(10, 5, 100, 90));
}

TEST(SkinData, RejectsSkinsWithoutTheRequiredSections) {
    const char* required[] = {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"};
    for (const char* section : required) {
        SCOPED_TRACE(section);
        for (bool keepHeader : {false, true}) {
            TSkinFixture skin = TSkinFixture::Basic();
            skin.RemoveSection(section);
            if (keepHeader)
                skin.Section(section); // a header without keys is missing too
            std::vector<TRecordedMessage> log;
            TRecordingForm owner("owner", log);
            auto* data = new TbsSkinData(&owner);
            data->LoadSkinFile(TSkinFixture::Basic().Write()); // a loaded skin first
            log.clear();
            data->LoadSkinFile(skin.Write());
            EXPECT_TRUE(data->SkinEmpty);
            EXPECT_TRUE(data->SkinControls.empty());
            EXPECT_TRUE(data->SkinPicture.Empty());
            EXPECT_EQ(data->PopupWindow.WindowPictureIndex, -1);
            EXPECT_EQ(TypesFor(log, "owner"), FullLoad);
            EXPECT_TRUE(log.back().SkinEmpty);
        }
    }

    // A list section holding only "count=0" is present; popup and hint sections are optional.
    TSkinFixture skin = TSkinFixture::Basic();
    skin.RemoveSection("SKINCONTROLS").Set("SKINCONTROLS", "count", "0");
    skin.RemoveSection("POPUPWINDOW").RemoveSection("HINTWINDOW");
    TbsSkinData data;
    data.LoadSkinFile(skin.Write());
    EXPECT_FALSE(data.SkinEmpty);
    EXPECT_TRUE(data.SkinControls.empty());
    EXPECT_EQ(data.PopupWindow.WindowPictureIndex, -1);

    // A file that does not exist is rejected the same way.
    data.LoadSkinFile(skin.Folder + "/missing.ini");
    EXPECT_TRUE(data.SkinEmpty);
}

TEST(SkinData, BroadcastGoesToTheOwnerFormFirst) {
    std::vector<TRecordedMessage> log;
    auto other = std::make_unique<TRecordingForm>("other", log);
    auto owner = std::make_unique<TRecordingForm>("owner", log);
    auto* data = new TbsSkinData(owner.get());
    data->LoadSkinFile(TSkinFixture::Basic().Write());

    ASSERT_EQ(log.size(), 6u);
    const char* order[] = {"owner", "other", "owner", "other", "owner", "other"};
    const QEvent::Type types[] = {SkinChanging, SkinChanging,        SkinChanged,
                                  SkinChanged,  SkinChangeCompleted, SkinChangeCompleted};
    for (size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(log[i].Receiver, order[i]) << i;
        EXPECT_EQ(log[i].Type, types[i]) << i;
        EXPECT_EQ(log[i].SkinData, data);
        EXPECT_EQ(log[i].Param, 1000);
    }
    // Changing arrives while the old skin is still there (none here) and the component is
    // marked empty; the closing messages see the final state.
    EXPECT_TRUE(log[0].SkinEmpty);
    EXPECT_FALSE(log[2].SkinEmpty);

    // Owned by a widget that is not a form: every form gets it once, none twice.
    log.clear();
    QWidget child(owner.get());
    TbsSkinData childOwned(&child);
    childOwned.BroadcastSkinMessage(SkinChanged);
    EXPECT_EQ(TypesFor(log, "owner").size(), 1u);
    EXPECT_EQ(TypesFor(log, "other").size(), 1u);

    // A form destroyed by an earlier receiver is skipped.
    log.clear();
    class TClosingForm : public TForm {
    public:
        std::unique_ptr<TRecordingForm>* Victim = nullptr;

    protected:
        bool event(QEvent* e) override {
            if (e->type() == SkinChanged && Victim)
                Victim->reset();
            return TForm::event(e);
        }
    };
    auto closing = std::make_unique<TClosingForm>();
    auto* closingData = new TbsSkinData(closing.get());
    closing->Victim = &other;
    closingData->BroadcastSkinMessage(SkinChanged);
    EXPECT_TRUE(TypesFor(log, "other").empty());
    EXPECT_EQ(TypesFor(log, "owner").size(), 1u);
}

TEST(SkinData, PictureErrorLeavesTheSkinEmptyAndTellsTheFormsSo) {
    struct Case {
        const char* name;
        std::function<void(TSkinFixture&)> damage;
        const char* mention; // the error names the file or the value
    } cases[] = {
        {"missing picture", [](TSkinFixture& s) { s.Set("PICTURES", "picture", "none.bmp"); },
         "none.bmp"},
        {"bad picture",
         [](TSkinFixture& s) {
             s.AddFile("bad.bmp", "BM not really a bitmap");
             s.Set("PICTURES", "1", "bad.bmp");
         },
         "bad.bmp"},
        {"missing active name", [](TSkinFixture& s) { s.Remove("PICTURES", "1"); }, "basic"},
        {"huge active count",
         [](TSkinFixture& s) { s.Set("PICTURES", "activepicturescount", "2000000000"); }, "basic"},
        {"bad rect", [](TSkinFixture& s) { s.Set("vscrollbar", "thumbrect", "1,2,x,4"); },
         "'' is not a valid integer value ([vscrollbar] thumbrect)"},
        {"huge point", [](TSkinFixture& s) { s.Set("FORMINFO", "lefttoppoint", "1,9999999999"); },
         "'9999999999' is not a valid integer value ([FORMINFO] lefttoppoint)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TSkinFixture skin = TSkinFixture::Basic();
        c.damage(skin);
        std::vector<TRecordedMessage> log;
        TRecordingForm owner("owner", log);
        auto* data = new TbsSkinData(&owner);
        data->LoadSkinFile(TSkinFixture::Basic().Write());
        log.clear();
        try {
            data->LoadSkinFile(skin.Write());
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_TRUE(e.Message().contains(c.mention)) << e.Message().toStdString();
        }
        EXPECT_TRUE(data->SkinEmpty);
        EXPECT_TRUE(data->SkinObjects.empty());
        EXPECT_TRUE(data->SkinControls.empty());
        EXPECT_TRUE(data->ActivePictures.empty());
        EXPECT_TRUE(data->SkinPicture.Empty());
        // The closing messages bring every control back to the default look.
        EXPECT_EQ(TypesFor(log, "owner"), FullLoad);
    }
}

TEST(SkinData, PathsWithBackslashesAndClearSkin) {
    TSkinFixture skin = TSkinFixture::Basic();
    skin.Write();
    QString path = skin.Folder + "/skin.ini";
    path.replace('/', '\\');
    TbsSkinData data;
    data.LoadSkinFile(path);
    ASSERT_FALSE(data.SkinEmpty);
    EXPECT_EQ(data.ActivePictures.size(), 2u);

    data.ClearSkin();
    EXPECT_TRUE(data.SkinEmpty);
    EXPECT_TRUE(data.SkinObjects.empty());
    EXPECT_TRUE(data.ActivePictures.empty());
    EXPECT_TRUE(data.ActivePictureNames.isEmpty());
    EXPECT_TRUE(data.SkinPicture.Empty());
    EXPECT_TRUE(data.SkinPictureName.isEmpty());
    EXPECT_EQ(data.PopupWindow.WindowPictureIndex, -1);
    EXPECT_EQ(data.HintWindow.WindowPictureIndex, -1);
    // The frame values stay until the next load.
    EXPECT_EQ(data.BorderWidth, 4);
}
