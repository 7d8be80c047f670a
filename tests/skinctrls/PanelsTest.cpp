#include "skinctrls/bsSkinPanels.h"

#include "SkinCtrlsTestSupport.h"
#include "framework/ControlsTestSupport.h"
#include "framework/Forms.h"

#include <gtest/gtest.h>
#include <memory>

using namespace ControlsTest;

namespace {

struct PanelsFixture : ::testing::Test {
    void SetUp() override {
        form = std::make_unique<TForm>();
        form->SetClientSize(400, 300);
    }

    // The leftmost and rightmost columns in rows top..bottom whose pixels are not `back`.
    static std::pair<int, int> InkColumns(const TBitmap& image, int left, int top, int right,
                                          int bottom, TColor back) {
        int first = -1;
        int last = -1;
        for (int x = left; x < right; ++x)
            for (int y = top; y < bottom; ++y)
                if (image.Pixel(x, y) != back) {
                    if (first < 0)
                        first = x;
                    last = x;
                    break;
                }
        return {first, last};
    }

    std::unique_ptr<TForm> form;
};

} // namespace

// What a control of the family is when put on a form: its skin part and size.
struct PanelDefaults {
    QString part;
    int width;
    int height;
    bool operator==(const PanelDefaults&) const = default;
};

void PrintTo(const PanelDefaults& d, std::ostream* out) {
    *out << d.part.toStdString() << ' ' << d.width << 'x' << d.height;
}

template <class Control> PanelDefaults DefaultsOf(TForm* form) {
    auto* control = new Control(form);
    return {control->SkinDataName(), control->Width(), control->Height()};
}

TEST_F(PanelsFixture, EveryPanelControlStartsWithItsSkinPartAndSize) {
    const struct {
        PanelDefaults (*make)(TForm*);
        PanelDefaults expected;
    } table[] = {
        {DefaultsOf<TbsSkinPanel>, {"panel", 150, 150}},
        {DefaultsOf<TbsSkinGroupBox>, {"groupbox", 150, 150}},
        // Aligned to the bottom of the 400 x 300 form.
        {DefaultsOf<TbsSkinStatusBar>, {"statusbar", 400, 21}},
        {DefaultsOf<TbsSkinLabel>, {"label", 75, 21}},
        {DefaultsOf<TbsSkinStatusPanel>, {"statuspanel", 120, 21}},
    };
    for (const auto& row : table)
        EXPECT_EQ(row.make(form.get()), row.expected);
    EXPECT_EQ(DefaultsOf<TbsSkinStdLabel>(form.get()).part, QStringLiteral("stdlabel"));
}

TEST_F(PanelsFixture, PanelFamilyStartsWithItsBordersAndModes) {
    auto* panel = new TbsSkinPanel(form.get());
    EXPECT_EQ(panel->DefaultCaptionHeight(), 22);
    EXPECT_EQ(panel->BorderStyle(), bvFrame);
    EXPECT_EQ(panel->RealHeight(), -1);
    EXPECT_TRUE(panel->AutoEnabledControls());
    EXPECT_TRUE((new TbsSkinGroupBox(form.get()))->CaptionMode());
    auto* bar = new TbsSkinStatusBar(form.get());
    EXPECT_EQ(bar->Align(), alBottom);
    EXPECT_EQ(bar->Top(), 300 - 21);
    EXPECT_EQ(bar->BorderStyle(), bvNone);
    auto* std = new TbsSkinStdLabel(form.get());
    EXPECT_TRUE(std->Transparent());
    EXPECT_TRUE(std->UseSkinFont());
}

TEST_F(PanelsFixture, ChildrenAreAlignedInsideTheFrameAndBelowTheCaption) {
    auto* panel = new TbsSkinPanel(form.get());
    panel->SetBounds(0, 0, 200, 100);
    auto* client = new TbsSkinPanel(panel);
    client->SetAlign(alClient);
    EXPECT_EQ(client->BoundsRect(), TRect(1, 1, 199, 99));

    panel->SetCaptionMode(true);
    EXPECT_EQ(client->BoundsRect(), TRect(1, 23, 199, 99));
    panel->SetDefaultCaptionHeight(30);
    EXPECT_EQ(client->BoundsRect(), TRect(1, 31, 199, 99));
    panel->SetBorderStyle(bvNone);
    EXPECT_EQ(client->BoundsRect(), TRect(0, 30, 200, 100));
    panel->SetCaptionMode(false);
    EXPECT_EQ(client->BoundsRect(), TRect(0, 0, 200, 100));
}

TEST_F(PanelsFixture, DefaultBorderStylesAndCaptionBar) {
    auto* panel = new TbsSkinPanel(form.get());
    panel->SetBounds(0, 0, 100, 60);
    const TColor face = ColorToRGB(clBtnFace);
    const TColor shadow = ColorToRGB(clBtnShadow);
    const TColor light = ColorToRGB(clBtnHighlight);
    TBitmap image = panel->RenderImage();
    EXPECT_EQ(image.Pixel(0, 0), shadow);
    EXPECT_EQ(image.Pixel(99, 59), shadow);
    EXPECT_EQ(image.Pixel(50, 30), face);

    panel->SetBorderStyle(bvRaised);
    image = panel->RenderImage();
    EXPECT_EQ(image.Pixel(0, 30), light);
    EXPECT_EQ(image.Pixel(99, 30), shadow);
    panel->SetBorderStyle(bvLowered);
    image = panel->RenderImage();
    EXPECT_EQ(image.Pixel(0, 30), shadow);
    EXPECT_EQ(image.Pixel(99, 30), light);
    panel->SetBorderStyle(bvNone);
    EXPECT_EQ(panel->RenderImage().Pixel(0, 30), face);

    // The caption bar of a framed panel: a shadow frame, then highlight top-left.
    panel->SetBorderStyle(bvFrame);
    panel->SetCaptionMode(true);
    image = panel->RenderImage();
    EXPECT_EQ(image.Pixel(50, 21), shadow); // the bar's bottom line
    EXPECT_EQ(image.Pixel(50, 1), light);
    EXPECT_EQ(image.Pixel(1, 10), light);
    EXPECT_EQ(image.Pixel(98, 10), face);
    // Another style: sunken then raised, inside the panel's border.
    panel->SetBorderStyle(bvRaised);
    image = panel->RenderImage();
    EXPECT_EQ(image.Pixel(1, 10), shadow);
    EXPECT_EQ(image.Pixel(98, 10), light);
    EXPECT_EQ(image.Pixel(2, 10), light);
    EXPECT_EQ(image.Pixel(97, 10), shadow);
}

TEST_F(PanelsFixture, DefaultCaptionIsPlacedByAlignment) {
    auto* group = new TbsSkinGroupBox(form.get());
    group->SetBounds(0, 0, 300, 80);
    group->SetCaption(QStringLiteral("Effects"));
    const TColor face = ColorToRGB(clBtnFace);
    // The text area of a framed bar is (2, 2, 298, 20).
    auto ink = [&] { return InkColumns(group->RenderImage(), 2, 3, 298, 19, face); };
    auto [left1, right1] = ink();
    EXPECT_GE(left1, 4);
    EXPECT_LE(left1, 6);
    group->SetDefaultAlignment(taRightJustify);
    auto [left2, right2] = ink();
    EXPECT_LE(right2, 297);
    EXPECT_GE(right2, 294);
    EXPECT_NEAR(right2 - left2, right1 - left1, 1);
    group->SetDefaultAlignment(taCenter);
    auto [left3, right3] = ink();
    EXPECT_NEAR((left3 + right3) / 2, 2 + 2 + 148, 3);
}

TEST_F(PanelsFixture, CheckBoxTogglesAndEnablesTheChildren) {
    auto* panel = new TbsSkinPanel(form.get());
    panel->SetBounds(0, 0, 200, 100);
    auto* child1 = new TbsSkinLabel(panel);
    auto* child2 = new TbsSkinPanel(panel);
    int checkedEvents = 0;
    panel->OnChecked = [&](TObject*) { ++checkedEvents; };

    // OnChecked fires without CheckedMode too, and the children are left alone.
    panel->SetChecked(true);
    EXPECT_EQ(checkedEvents, 1);
    panel->SetChecked(false);
    EXPECT_TRUE(child1->Enabled());

    panel->SetCaptionMode(true);
    panel->SetCheckedMode(true);
    panel->SetChecked(false);
    EXPECT_FALSE(child1->Enabled());
    EXPECT_FALSE(child2->Enabled());
    // The box is drawn at x = 5, centred in the caption's text area (2..20).
    TBitmap image = panel->RenderImage();
    EXPECT_EQ(image.Pixel(5, 4), ColorToRGB(clBtnShadow));
    EXPECT_EQ(image.Pixel(18, 17), ColorToRGB(clBtnShadow));
    EXPECT_EQ(image.Pixel(11, 11), ColorToRGB(clBtnFace));

    // A click on the caption checks the panel.
    Click(panel, QPoint(100, 10));
    EXPECT_TRUE(panel->Checked());
    EXPECT_TRUE(child1->Enabled());
    image = panel->RenderImage();
    bool mark = false;
    for (int y = 5; y < 17; ++y)
        for (int x = 6; x < 18; ++x)
            mark = mark || image.Pixel(x, y) == ColorToRGB(clBtnText);
    EXPECT_TRUE(mark);
    // Not on the client area.
    Click(panel, QPoint(100, 60));
    EXPECT_TRUE(panel->Checked());
    EXPECT_EQ(checkedEvents, 4);
}

TEST_F(PanelsFixture, RollUpHidesTheChildrenOnceAndRestoresThem) {
    auto* panel = new TbsSkinPanel(form.get());
    panel->SetBounds(0, 0, 200, 120);
    panel->SetCaptionMode(true);
    auto* child = new TbsSkinLabel(panel);
    auto* hidden = new TbsSkinLabel(panel);
    hidden->Hide();

    panel->SetRollUpState(true); // without RollUpMode nothing happens
    EXPECT_FALSE(panel->RollUpState());
    EXPECT_EQ(panel->Height(), 120);

    panel->SetRollUpMode(true);
    panel->SetRollUpState(true);
    EXPECT_TRUE(panel->RollUpState());
    EXPECT_EQ(panel->Height(), 23);
    EXPECT_EQ(panel->RealHeight(), 120);
    EXPECT_FALSE(child->Visible());
    panel->SetRollUpState(true);
    EXPECT_EQ(panel->RealHeight(), 120);

    // A click on the caption unrolls: the height and the children the roll-up hid return.
    Click(panel, QPoint(100, 10));
    EXPECT_FALSE(panel->RollUpState());
    EXPECT_EQ(panel->Height(), 120);
    EXPECT_EQ(panel->RealHeight(), -1);
    EXPECT_TRUE(child->Visible());
    EXPECT_FALSE(hidden->Visible());
}

TEST_F(PanelsFixture, LabelAutoSizeAndAlignment) {
    auto* label = new TbsSkinLabel(form.get());
    label->SetCaption(QStringLiteral("A rather long caption for a label"));
    EXPECT_EQ(label->Width(), 75); // AutoSize is off
    label->SetAutoSize(true);
    label->Canvas()->Font.Assign(*label->DefaultFont());
    const int textWidth = label->Canvas()->TextWidth(label->Caption());
    EXPECT_EQ(label->Width(), textWidth + 6); // the text fits between its 3-pixel insets
    EXPECT_EQ(label->ExtraWidth(), 0);
    label->SetCaption(QStringLiteral("Short"));
    EXPECT_LT(label->Width(), textWidth);

    // A label aligned to the top keeps its width when its caption changes.
    auto* top = new TbsSkinLabel(form.get());
    top->SetAlign(alTop);
    top->SetAutoSize(true);
    top->SetCaption(QStringLiteral("Short"));
    EXPECT_EQ(top->Width(), 400);

    // Text placement inside (3, 3, width - 3, height - 3).
    label->SetAutoSize(false);
    label->SetBounds(0, 0, 200, 21);
    label->SetBorderStyle(bvNone);
    const TColor face = ColorToRGB(clBtnFace);
    auto [l1, r1] = InkColumns(label->RenderImage(), 0, 0, 200, 21, face);
    EXPECT_GE(l1, 3);
    EXPECT_LE(l1, 5);
    label->SetAlignment(taRightJustify);
    auto [l2, r2] = InkColumns(label->RenderImage(), 0, 0, 200, 21, face);
    EXPECT_LE(r2, 196);
    EXPECT_GE(r2, 193);
    EXPECT_NEAR(r2 - l2, r1 - l1, 1);
}

TEST_F(PanelsFixture, StatusBarHandsItsSkinDataToItsPanels) {
    auto* bar = new TbsSkinStatusBar(form.get());
    auto* first = new TbsSkinStatusPanel(bar);
    auto* second = new TbsSkinStatusPanel(bar);
    auto* label = new TbsSkinStdLabel(bar);
    auto* data = new TbsSkinData(form.get());
    bar->SetSkinData(data);
    EXPECT_EQ(bar->SkinData(), data);
    EXPECT_EQ(first->SkinData(), data);
    EXPECT_EQ(second->SkinData(), data);
    EXPECT_EQ(label->SkinData(), nullptr); // not a windowed skinned control
    delete data;
    EXPECT_EQ(first->SkinData(), nullptr);
}

TEST_F(PanelsFixture, StatusPanelGlyphComesBeforeTheText) {
    auto* panel = new TbsSkinStatusPanel(form.get());
    panel->SetBounds(0, 0, 120, 21);
    TBitmap glyph(20, 8); // two 10 x 8 frames: red, then blue; white is transparent
    glyph.Canvas().Brush.Color = clWhite;
    glyph.Canvas().FillRect(TRect(0, 0, 20, 8));
    glyph.Canvas().Brush.Color = clRed;
    glyph.Canvas().FillRect(TRect(1, 0, 9, 7));
    glyph.Canvas().Brush.Color = clBlue;
    glyph.Canvas().FillRect(TRect(11, 0, 19, 7));
    panel->SetGlyph(glyph);
    panel->SetNumGlyphs(2);
    // At x = 3, centred in the panel: 21 / 2 - 8 / 2 = 6.
    TBitmap image = panel->RenderImage();
    EXPECT_EQ(image.Pixel(4, 6), clRed);
    EXPECT_EQ(image.Pixel(3, 6), ColorToRGB(clBtnFace));
    EXPECT_EQ(image.Pixel(4, 13), ColorToRGB(clBtnFace)); // the bottom row is transparent
    panel->SetEnabled(false);
    EXPECT_EQ(panel->RenderImage().Pixel(4, 6), clBlue);

    panel->SetEnabled(true);
    panel->SetCaption(QStringLiteral("Ready"));
    panel->Canvas()->Font.Assign(*panel->DefaultFont());
    const int textWidth = panel->Canvas()->TextWidth(panel->Caption());
    EXPECT_EQ(panel->ExtraWidth(), textWidth + 6 - 120 + 20 / 2 + 3);
}

TEST_F(PanelsFixture, StdLabelSizesToItsTextAndDrawsDisabledEmbossed) {
    auto* label = new TbsSkinStdLabel(form.get());
    label->SetCaption(QStringLiteral("Message text"));
    label->Canvas()->Font.Assign(*label->DefaultFont());
    const int textWidth = label->Canvas()->TextWidth(label->Caption());
    EXPECT_EQ(label->Width(), textWidth);
    EXPECT_GT(label->Height(), 8);
    // Word-wrapped, the text breaks inside the width it has.
    label->SetAutoSize(false);
    label->SetBounds(0, 0, 60, 60);
    label->SetWordWrap(true);
    label->SetCaption(QStringLiteral("one two three four five six"));
    EXPECT_EQ(label->Width(), 60);
    label->SetAutoSize(true);
    EXPECT_LE(label->Width(), 60);
    EXPECT_GT(label->Height(), 2 * label->Canvas()->TextHeight(QStringLiteral("X")) - 1);

    label->SetEnabled(false);
    TBitmap image = label->RenderImage();
    bool light = false;
    bool dark = false;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            light = light || image.Pixel(x, y) == ColorToRGB(clBtnHighlight);
            dark = dark || image.Pixel(x, y) == ColorToRGB(clBtnShadow);
        }
    EXPECT_TRUE(light);
    EXPECT_TRUE(dark);
}

namespace {

// Columns where two renderings differ in rows top..bottom: what a caption added.
std::pair<int, int> ChangedColumns(const TBitmap& a, const TBitmap& b, int top, int bottom) {
    int first = -1;
    int last = -1;
    for (int x = 0; x < a.Width(); ++x)
        for (int y = top; y < bottom; ++y)
            if (a.Pixel(x, y) != b.Pixel(x, y)) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
    return {first, last};
}

} // namespace

TEST(SkinnedPanels, GroupBoxAlignsChildrenInTheSkinClientArea) {
    SkinCtrlsTest::TSkinnedForm skinned;
    skinned.LoadFixture();
    auto* group = new TbsSkinGroupBox(skinned.Form.get());
    group->SetBounds(0, 0, 200, 150);
    auto* child = new TbsSkinPanel(group);
    child->SetAlign(alClient);
    group->SetSkinData(skinned.Data);
    // "clientrect" 8, 24, 92, 92 of a 100 x 100 skin, both stretch.
    EXPECT_EQ(child->BoundsRect(), TRect(8, 24, 192, 142));
    group->SetBounds(0, 0, 300, 200);
    EXPECT_EQ(child->BoundsRect(), TRect(8, 24, 292, 192));

    // The corners come from the picture as they are.
    const TBitmap& picture = *skinned.Data->ActivePictures[9];
    const TBitmap image = group->RenderImage();
    EXPECT_EQ(image.Pixel(0, 0), picture.Pixel(0, 0));
    EXPECT_EQ(image.Pixel(299, 199), picture.Pixel(99, 99));
    EXPECT_EQ(image.Pixel(297, 197), picture.Pixel(97, 97));

    // A skin without the record brings the default rules back.
    TControlsSkin other;
    other.Set("groupbox", "skinrect", "0,0,0,0").Set("groupbox", "pictureindex", "-1");
    skinned.Data->LoadSkinFile(SkinCtrlsTest::WriteSkin(other));
    group->SetSkinDataName(QStringLiteral("nothing"));
    skinned.Data->LoadSkinFile(SkinCtrlsTest::FixtureSkinPath());
    EXPECT_EQ(group->SkinIndex(), -1);
    EXPECT_EQ(child->BoundsRect(), TRect(1, 23, 299, 199));
}

TEST(SkinnedPanels, CaptionIsPlacedByTheRecordsAlignment) {
    // A caption rectangle from the top-left to the top-right corner zone stretches with
    // the box.
    auto placed = [](const QString& alignment) {
        SkinCtrlsTest::TSkinnedForm skinned;
        TControlsSkin skin;
        skin.Set("groupbox", "captionrect", "4,3,96,21").Set("groupbox", "alignment", alignment);
        skinned.Data->LoadSkinFile(SkinCtrlsTest::WriteSkin(skin));
        auto* group = new TbsSkinGroupBox(skinned.Form.get());
        group->SetSkinData(skinned.Data);
        group->SetBounds(0, 0, 300, 100);
        const TBitmap empty = group->RenderImage();
        group->SetCaption(QStringLiteral("Effect name"));
        const TBitmap captioned = group->RenderImage();
        EXPECT_EQ(group->FittedCaptionRect(), TRect(4, 3, 296, 21));
        return ChangedColumns(empty, captioned, 3, 21);
    };
    const auto [left1, right1] = placed(QStringLiteral("taleftjustify"));
    EXPECT_GE(left1, 4);
    EXPECT_LE(left1, 6);
    const auto [left2, right2] = placed(QStringLiteral("tarightjustify"));
    EXPECT_LE(right2, 295);
    EXPECT_GE(right2, 292);
    EXPECT_NEAR(right2 - left2, right1 - left1, 1);
    const auto [left3, right3] = placed(QStringLiteral("tacenter"));
    EXPECT_NEAR((left3 + right3) / 2, 150, 3);
}

TEST(SkinnedPanels, CheckImageAndRollUpWithARecord) {
    SkinCtrlsTest::TSkinnedForm skinned;
    skinned.LoadFixture();
    auto* panel = new TbsSkinPanel(skinned.Form.get());
    panel->SetBounds(0, 0, 150, 150);
    panel->SetSkinData(skinned.Data);
    panel->SetCaptionMode(true);
    panel->SetCheckedMode(true);
    panel->SetCaption(QStringLiteral("Music"));
    const TBitmap& picture = *skinned.Data->ActivePictures[8];
    // The check images at the caption's left (8, 4..24), centred: 14 - 13 / 2 = 8, drawn
    // without their bottom-left colour.
    auto expectImage = [&](const TBitmap& image, int top) {
        const TColor transparent = picture.Pixel(100, top + 12);
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x) {
                const TColor source = picture.Pixel(100 + x, top + y);
                if (source == transparent)
                    continue;
                ASSERT_EQ(image.Pixel(8 + x, 8 + y), source) << x << "," << y;
            }
    };
    expectImage(panel->RenderImage(), 13);
    Click(panel, QPoint(40, 10));
    EXPECT_TRUE(panel->Checked());
    expectImage(panel->RenderImage(), 0);

    // Rolled up to the frame and caption rows: 100 - 68 = 32.
    panel->SetCheckedMode(false);
    panel->SetRollUpMode(true);
    Click(panel, QPoint(40, 10));
    EXPECT_TRUE(panel->RollUpState());
    EXPECT_EQ(panel->Height(), 32);
    Click(panel, QPoint(40, 10));
    EXPECT_EQ(panel->Height(), 150);
}

TEST(SkinnedPanels, RolledUpPanelKeepsRolledUpThroughASkinChange) {
    SkinCtrlsTest::TSkinnedForm skinned;
    auto* panel = new TbsSkinPanel(skinned.Form.get());
    panel->SetBounds(0, 0, 150, 150);
    panel->SetSkinData(skinned.Data);
    panel->SetCaptionMode(true);
    panel->SetRollUpMode(true);
    auto* child = new TbsSkinLabel(panel);
    panel->SetRollUpState(true);
    EXPECT_EQ(panel->Height(), 23);

    skinned.LoadFixture();
    EXPECT_TRUE(panel->RollUpState());
    EXPECT_EQ(panel->Height(), 32);
    EXPECT_EQ(panel->RealHeight(), 150);
    EXPECT_FALSE(child->Visible());
    panel->SetRollUpState(false);
    EXPECT_EQ(panel->Height(), 150);
    EXPECT_TRUE(child->Visible());
}

TEST(SkinnedPanels, BackgroundPictureIsAllThePanelShows) {
    SkinCtrlsTest::TSkinnedForm skinned;
    TControlsSkin skin;
    skin.Set("panel", "bgpictureindex", "12"); // the 60 x 21 label picture
    skinned.Data->LoadSkinFile(SkinCtrlsTest::WriteSkin(skin));
    auto* panel = new TbsSkinPanel(skinned.Form.get());
    panel->SetSkinData(skinned.Data);
    panel->SetBounds(0, 0, 150, 100);
    panel->SetCaptionMode(true);
    panel->SetCaption(QStringLiteral("Not shown"));
    auto* child = new TbsSkinPanel(panel);
    child->SetAlign(alClient);
    const TBitmap& tile = *skinned.Data->ActivePictures[12];
    const TBitmap image = panel->RenderImage();
    for (int y = 0; y < 100; y += 7)
        for (int x = 0; x < 150; x += 5)
            ASSERT_EQ(image.Pixel(x, y), tile.Pixel(x % 60, y % 21)) << x << "," << y;
    EXPECT_EQ(child->BoundsRect(), TRect(0, 0, 150, 100));
}

TEST(SkinnedPanels, StatusBarAndPanelsFromTheSkin) {
    SkinCtrlsTest::TSkinnedForm skinned;
    skinned.LoadFixture();
    auto* bar = new TbsSkinStatusBar(skinned.Form.get());
    auto* panel = new TbsSkinStatusPanel(bar);
    panel->SetCaption(QStringLiteral("Ready"));
    bar->SetSkinData(skinned.Data);
    ASSERT_EQ(panel->SkinData(), skinned.Data);
    EXPECT_EQ(bar->Height(), 21); // horizontal record: the skin's height
    EXPECT_EQ(bar->Width(), 400);
    EXPECT_EQ(panel->Height(), 19);
    // The panel sits in the bar's client area (4, 3, 304 + ..., 20).
    panel->SetAlign(alLeft);
    EXPECT_EQ(panel->Left(), 4);
    EXPECT_EQ(panel->Top(), 3);
    const TBitmap& picture = *skinned.Data->ActivePictures[11];
    EXPECT_EQ(panel->RenderImage().Pixel(0, 5), picture.Pixel(0, 5));
    EXPECT_EQ(panel->RenderImage().Pixel(panel->Width() - 1, 18), picture.Pixel(59, 18));

    // A skinned label grows to its caption with AutoSize: the client area's width.
    auto* label = new TbsSkinLabel(skinned.Form.get());
    label->SetSkinData(skinned.Data);
    EXPECT_EQ(label->Height(), 21);
    label->SetCaption(QStringLiteral("A caption wider than the label itself"));
    label->SetAutoSize(true);
    EXPECT_EQ(label->ExtraWidth(), 0);
    TFont font;
    label->Canvas()->Font.Assign(*label->DefaultFont());
    const int textWidth = label->Canvas()->TextWidth(label->Caption());
    EXPECT_EQ(label->Width(), textWidth + 8);
}

TEST(SkinnedPanels, StdLabelTakesItsFontFromTheRecord) {
    SkinCtrlsTest::TSkinnedForm skinned;
    auto* label = new TbsSkinStdLabel(skinned.Form.get());
    label->SetCaption(QStringLiteral("Text"));
    label->Font()->SetColor(clRed);
    label->SetSkinData(skinned.Data);
    TFont font;
    label->AssignTextFont(font);
    EXPECT_EQ(font.Name(), label->DefaultFont()->Name()); // no record: DefaultFont
    skinned.LoadFixture();
    EXPECT_NE(label->SkinIndex(), -1);
    label->AssignTextFont(font);
    EXPECT_EQ(font.Name(), QStringLiteral("Arial"));
    EXPECT_EQ(font.Height(), 14);
    EXPECT_EQ(font.Color(), static_cast<TColor>(0x00202090));
    label->SetUseSkinFont(false);
    label->AssignTextFont(font);
    EXPECT_EQ(font.Name(), label->Font()->Name());
    EXPECT_EQ(font.Color(), static_cast<TColor>(0x00202090)); // the record's colour always
}
