// The skinned control base: record lookup, size fitting per stretch mode, placing skin
// rectangles, the default look, the paint pipeline and the window region.

#include "SkinCtrlsTestSupport.h"

#include "skinctrls/bsSkinButton.h"

#include <gtest/gtest.h>

using namespace SkinCtrlsTest;

namespace {

// A plain custom control that counts what it draws.
class TCountingControl : public TbsSkinCustomControl {
public:
    using TbsSkinCustomControl::TbsSkinCustomControl;
    int DefaultDraws = 0;
    int SkinDraws = 0;

protected:
    void DrawDefaultImage(TBitmap& bitmap) override {
        ++DefaultDraws;
        TbsSkinCustomControl::DrawDefaultImage(bitmap);
    }
    void DrawSkinImage(TBitmap& bitmap) override {
        ++SkinDraws;
        TbsSkinCustomControl::DrawSkinImage(bitmap);
    }
};

TCountingControl* MakeControl(TSkinnedForm& f, const QString& name, int w, int h) {
    auto* c = new TCountingControl(f.Form.get());
    c->SetSkinDataName(name);
    c->SetBounds(10, 10, w, h);
    c->SetSkinData(f.Data);
    return c;
}

// The geometry of a 100 x 60 both-stretch record with 10-pixel corners.
TbsSkinGeometry BothGeometry() {
    TbsSkinGeometry g;
    g.SkinRect = TRect(0, 0, 100, 60);
    g.LTPoint = TPoint(10, 10);
    g.RTPoint = TPoint(90, 10);
    g.LBPoint = TPoint(10, 50);
    g.RBPoint = TPoint(90, 50);
    g.StretchMode = g.ModeOfGeometry();
    return g;
}

} // namespace

TEST(SkinControl, StretchModeFollowsTheCornerPoints) {
    TbsSkinGeometry g = BothGeometry();
    EXPECT_EQ(g.StretchMode, TbsStretchMode::Both);
    g.RBPoint = TPoint(90, 0);
    EXPECT_EQ(g.ModeOfGeometry(), TbsStretchMode::Horizontal);
    g.RTPoint = TPoint();
    EXPECT_EQ(g.ModeOfGeometry(), TbsStretchMode::Vertical);
    g.LBPoint = TPoint();
    EXPECT_EQ(g.ModeOfGeometry(), TbsStretchMode::Fixed);
    g.SkinRect = TRect(5, 5, 5, 30); // empty: nothing to fit
    g.RBPoint = TPoint(90, 50);
    EXPECT_EQ(g.ModeOfGeometry(), TbsStretchMode::None);
}

TEST(SkinControl, SizesFollowTheRecordsStretchMode) {
    TSkinnedForm f;
    f.LoadFixture();
    // Fixed: the skin rectangle's size, whatever was asked.
    auto* fixed = MakeControl(f, "fixedbutton", 100, 50);
    EXPECT_EQ(fixed->Width(), 40);
    EXPECT_EQ(fixed->Height(), 40);
    fixed->SetBounds(0, 0, 70, 70);
    EXPECT_EQ(fixed->BoundsRect(), TRect(0, 0, 40, 40));

    // Horizontal: the width as asked, the skin's height.
    auto* h = MakeControl(f, "hbutton", 100, 50);
    EXPECT_EQ(h->Width(), 100);
    EXPECT_EQ(h->Height(), 22);
    h->SetWidth(150);
    EXPECT_EQ(h->Width(), 150);
    EXPECT_EQ(h->FittedClientRect, TRect(8, 2, 142, 20));
    EXPECT_EQ(h->NewRTPoint, TPoint(142, 0));

    // Vertical: the skin's width, the height as asked.
    auto* v = MakeControl(f, "vbutton", 100, 90);
    EXPECT_EQ(v->Width(), 24);
    EXPECT_EQ(v->Height(), 90);
    EXPECT_EQ(v->FittedClientRect, TRect(2, 8, 22, 82));
    EXPECT_EQ(v->NewLBPoint, TPoint(0, 82));

    // Both: any size; the corners and client rectangle move with the size.
    auto* both = MakeControl(f, "button", 120, 40);
    EXPECT_EQ(both->Width(), 120);
    EXPECT_EQ(both->Height(), 40);
    EXPECT_EQ(both->StretchMode, TbsStretchMode::Both);
    EXPECT_EQ(both->FittedClientRect, TRect(4, 4, 116, 36));
    EXPECT_EQ(both->NewRBPoint, TPoint(116, 36));
    EXPECT_EQ(both->NewRTPoint, TPoint(116, 4));
    EXPECT_EQ(both->NewLBPoint, TPoint(4, 36));

    // The skin picture is composed at the control's size: the kept corner and the tiled
    // middle come from the normal face.
    TBitmap image = both->RenderImage();
    ASSERT_EQ(image.Width(), 120);
    ASSERT_EQ(image.Height(), 40);
    EXPECT_EQ(both->SkinDraws, 1);
    EXPECT_EQ(image.Pixel(119, 20), both->Picture->Pixel(74, 12));
    EXPECT_EQ(image.Pixel(2, 39), both->Picture->Pixel(2, 24));
}

TEST(SkinControl, MapSkinRectFollowsTheZones) {
    TbsSkinGeometry g = BothGeometry();
    const int w = 130, h = 80; // dW 30, dH 20
    auto map = [&](TRect r) { return g.MapRect(r, w, h); };
    // Wholly inside one corner zone: moves with that corner.
    EXPECT_EQ(map(TRect(1, 1, 9, 9)), TRect(1, 1, 9, 9));
    EXPECT_EQ(map(TRect(92, 1, 99, 9)), TRect(122, 1, 129, 9));
    EXPECT_EQ(map(TRect(1, 52, 9, 59)), TRect(1, 72, 9, 79));
    EXPECT_EQ(map(TRect(92, 52, 99, 59)), TRect(122, 72, 129, 79));
    // Spanning zones: grows or moves by the zones of its corners.
    EXPECT_EQ(map(TRect(2, 2, 95, 55)), TRect(2, 2, 125, 75));    // top-left .. bottom-right
    EXPECT_EQ(map(TRect(2, 2, 95, 8)), TRect(2, 2, 125, 8));      // top-left .. top-right
    EXPECT_EQ(map(TRect(2, 52, 95, 58)), TRect(2, 72, 125, 78));  // bottom-left .. bottom-right
    EXPECT_EQ(map(TRect(2, 2, 8, 55)), TRect(2, 2, 8, 75));       // top-left .. bottom-left
    EXPECT_EQ(map(TRect(92, 2, 98, 55)), TRect(122, 2, 128, 75)); // top-right .. bottom-right
    // A corner on a zone's right edge counts as in it when spanning, not when inside.
    EXPECT_EQ(map(TRect(2, 2, 10, 10)), TRect(2, 2, 10, 10));
    EXPECT_EQ(map(TRect(92, 2, 100, 60)), TRect(122, 2, 130, 80));
    // In the middle: unchanged.
    EXPECT_EQ(map(TRect(20, 20, 40, 40)), TRect(20, 20, 40, 40));

    TbsSkinGeometry hg = g;
    hg.RBPoint = TPoint();
    hg.LBPoint = TPoint();
    hg.StretchMode = hg.ModeOfGeometry();
    ASSERT_EQ(hg.StretchMode, TbsStretchMode::Horizontal);
    EXPECT_EQ(hg.MapRect(TRect(5, 2, 95, 8), w, h), TRect(5, 2, 125, 8));    // spans the band
    EXPECT_EQ(hg.MapRect(TRect(92, 2, 98, 8), w, h), TRect(122, 2, 128, 8)); // right end
    EXPECT_EQ(hg.MapRect(TRect(20, 2, 40, 8), w, h), TRect(20, 2, 40, 8));

    TbsSkinGeometry vg = g;
    vg.RBPoint = TPoint();
    vg.RTPoint = TPoint();
    vg.StretchMode = vg.ModeOfGeometry();
    ASSERT_EQ(vg.StretchMode, TbsStretchMode::Vertical);
    EXPECT_EQ(vg.MapRect(TRect(2, 5, 8, 55), w, h), TRect(2, 5, 8, 75));
    EXPECT_EQ(vg.MapRect(TRect(2, 52, 8, 58), w, h), TRect(2, 72, 8, 78));
    EXPECT_EQ(vg.MapRect(TRect(2, 20, 8, 30), w, h), TRect(2, 20, 8, 30));

    TbsSkinGeometry fixed = g;
    fixed.StretchMode = TbsStretchMode::Fixed;
    EXPECT_EQ(fixed.MapRect(TRect(92, 52, 99, 59), w, h), TRect(92, 52, 99, 59));
}

TEST(SkinControl, MissingRecordsBringBackTheDefaultSizesAndLook) {
    TSkinnedForm f;
    f.LoadFixture();
    auto* c = MakeControl(f, "hbutton", 100, 50);
    c->SetDefaultWidth(90);
    c->SetDefaultHeight(30);
    ASSERT_EQ(c->Height(), 22); // skinned: the defaults wait
    EXPECT_EQ(c->Width(), 100);

    // A skin without the record: the default sizes and the default look.
    c->SetSkinDataName("nothere");
    c->ApplySkin();
    EXPECT_EQ(c->SkinIndex(), -1);
    EXPECT_EQ(c->BoundsRect(), TRect(10, 10, 100, 40));
    EXPECT_EQ(PaintedPixel(*c, 5, 5), ColorToRGB(clBtnFace));
    EXPECT_EQ(c->SkinDraws, 0);

    // The name back: refitted to the skin.
    c->SetSkinDataName("hbutton");
    c->ApplySkin();
    EXPECT_EQ(c->Height(), 22);
    EXPECT_EQ(c->Width(), 90);

    // A default of 0 keeps the size; positive defaults apply at once when unskinned.
    auto* plain = new TCountingControl(f.Form.get());
    plain->SetBounds(0, 0, 33, 44);
    plain->SetDefaultWidth(0);
    EXPECT_EQ(plain->Width(), 33);
    plain->SetDefaultHeight(21);
    EXPECT_EQ(plain->Height(), 21);

    // No skin data, or an empty one: the default look.
    auto* unbound = new TCountingControl(f.Form.get());
    unbound->SetSkinDataName("button");
    unbound->SetBounds(0, 0, 20, 20);
    EXPECT_EQ(PaintedPixel(*unbound, 1, 1), ColorToRGB(clBtnFace));
    TbsSkinData empty;
    unbound->SetSkinData(&empty);
    EXPECT_EQ(PaintedPixel(*unbound, 1, 1), ColorToRGB(clBtnFace));
    EXPECT_EQ(unbound->SkinDraws, 0);
}

TEST(SkinControl, ADestroyedSkinDataLeavesTheDefaultLook) {
    TSkinnedForm f;
    f.LoadFixture();
    auto* c = MakeControl(f, "button", 75, 25);
    ASSERT_NE(c->SkinIndex(), -1);
    delete f.Data;
    EXPECT_EQ(c->SkinData(), nullptr);
    EXPECT_EQ(PaintedPixel(*c, 5, 5), ColorToRGB(clBtnFace));
    EXPECT_EQ(c->SkinIndex(), -1);
}

TEST(SkinControl, ARecordOfAnotherKindCountsAsFixedWithoutPicture) {
    TSkinnedForm f;
    f.LoadFixture();
    auto* b = new TbsSkinButton(f.Form.get());
    b->SetBounds(0, 0, 90, 30);
    b->SetSkinData(f.Data);
    ASSERT_EQ(b->ButtonSkin().FontColor, TColor(0x00502010));
    ASSERT_EQ(b->ButtonSkin().DownSkinRect, TRect(0, 50, 75, 75));

    // A standard label named "button" listed first: no geometry, no picture.
    TControlsSkin wrong;
    wrong.AddControl("button", "stdlabel", true).Remove("button", "skinrect");
    const QString path = WriteSkin(wrong);
    f.Data->LoadSkinFile(path);
    ASSERT_FALSE(f.Data->SkinEmpty);
    EXPECT_EQ(f.Data->IndexOfControl("button"), 0); // the stdlabel comes first
    EXPECT_EQ(b->SkinIndex(), 0);
    EXPECT_EQ(b->StretchMode, TbsStretchMode::Fixed);
    EXPECT_EQ(b->Picture, nullptr);
    // The size stays; the face is the default look; the button values stay as they were.
    EXPECT_EQ(b->Width(), 90);
    EXPECT_EQ(b->Height(), 30);
    EXPECT_EQ(PaintedPixel(*b, 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(b->ButtonSkin().FontColor, TColor(0x00502010));

    // Its own skin rectangle, when it has one, fixes the size.
    wrong.Set("button", "skinrect", "0,0,50,20");
    f.Data->LoadSkinFile(WriteSkin(wrong));
    EXPECT_EQ(b->BoundsRect(), TRect(0, 0, 50, 20));
}

TEST(SkinControl, ZeroSizedControlsPaintNothing) {
    TSkinnedForm f;
    f.LoadFixture();
    auto* c = MakeControl(f, "button", 0, 0);
    ASSERT_NE(c->SkinIndex(), -1);
    EXPECT_EQ(c->Height(), 0);
    EXPECT_TRUE(c->RenderImage().Empty());
    auto* d = new TCountingControl(f.Form.get());
    d->SetBounds(0, 0, 30, 0);
    EXPECT_TRUE(d->RenderImage().Empty());
    d->repaint();
    EXPECT_EQ(d->DefaultDraws + d->SkinDraws + c->DefaultDraws + c->SkinDraws, 0);
}

TEST(SkinControl, TheMaskClipsTheWindow) {
    TSkinnedForm f;
    f.LoadFixture();
    // Both stretch: the cut corners stay cut at any size.
    auto* b = MakeControl(f, "button", 100, 30);
    ASSERT_TRUE(b->WindowRegion().has_value());
    QRegion r = *b->WindowRegion();
    EXPECT_EQ(r, b->mask());
    EXPECT_EQ(r.boundingRect(), QRect(0, 0, 100, 30));
    for (QPoint outside : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(99, 0), QPoint(0, 29),
                           QPoint(99, 29), QPoint(98, 29)})
        EXPECT_FALSE(r.contains(outside)) << outside.x() << "," << outside.y();
    for (QPoint inside :
         {QPoint(2, 0), QPoint(1, 1), QPoint(50, 15), QPoint(97, 29), QPoint(99, 2)})
        EXPECT_TRUE(r.contains(inside)) << inside.x() << "," << inside.y();
    // Resizing re-clips.
    b->SetBounds(0, 0, 60, 40);
    EXPECT_EQ(b->WindowRegion()->boundingRect(), QRect(0, 0, 60, 40));
    EXPECT_FALSE(b->WindowRegion()->contains(QPoint(59, 39)));

    // Fixed: the disc of the mask as it is.
    auto* round = MakeControl(f, "fixedbutton", 40, 40);
    ASSERT_TRUE(round->WindowRegion().has_value());
    EXPECT_TRUE(round->WindowRegion()->contains(QPoint(20, 20)));
    EXPECT_FALSE(round->WindowRegion()->contains(QPoint(1, 1)));

    // No mask: no region; losing the record removes the region.
    auto* h = MakeControl(f, "hbutton", 80, 22);
    EXPECT_FALSE(h->WindowRegion().has_value());
    b->SetSkinDataName("nothere");
    b->ApplySkin();
    EXPECT_FALSE(b->WindowRegion().has_value());
    EXPECT_TRUE(b->mask().isEmpty());
}

TEST(SkinControl, ARecordWithoutPictureDrawsTheDefaultImage) {
    TSkinnedForm f;
    f.LoadFixture();
    auto* c = MakeControl(f, "nopicbutton", 80, 30);
    ASSERT_NE(c->SkinIndex(), -1);
    EXPECT_EQ(c->Picture, nullptr);
    EXPECT_EQ(c->Width(), 80);
    EXPECT_EQ(PaintedPixel(*c, 3, 3), ColorToRGB(clBtnFace));
}

TEST(SkinControl, DefaultFacesUseTheSystemLook) {
    TBitmap b(20, 10);
    const TRect r(0, 0, 20, 10);
    DrawDefaultFace(b.Canvas(), r, TbsDefaultLook::Pressed);
    EXPECT_EQ(b.Pixel(0, 0), RGB(0, 0, 128));
    EXPECT_EQ(b.Pixel(19, 9), RGB(0, 0, 128));
    EXPECT_EQ(b.Pixel(1, 1), RGB(133, 147, 181));
    DrawDefaultFace(b.Canvas(), r, TbsDefaultLook::Hot);
    EXPECT_EQ(b.Pixel(10, 0), RGB(0, 0, 128));
    EXPECT_EQ(b.Pixel(10, 5), RGB(182, 189, 210));
    DrawDefaultFace(b.Canvas(), r, TbsDefaultLook::Normal);
    EXPECT_EQ(b.Pixel(0, 5), ColorToRGB(clBtnShadow));
    EXPECT_EQ(b.Pixel(10, 5), ColorToRGB(clBtnFace));
}

namespace {

// The loaded record of that name, to bend for one test.
template <class R = TbsDataSkinCustomControl> R& RecordNamed(TSkinnedForm& f, const QString& name) {
    const int index = f.Data->IndexOfControl(name);
    EXPECT_NE(index, -1) << name.toStdString();
    return dynamic_cast<R&>(*f.Data->SkinControls[static_cast<size_t>(index)]);
}

// A mask of the skin's size, black inside, with the four corner pixels and a notch in the
// middle of the top row white (outside).
int AddBandMask(TSkinnedForm& f, int width, int height) {
    auto mask = std::make_unique<TBitmap>(width, height);
    TCanvas& c = mask->Canvas();
    c.Brush.Color = clBlack;
    c.FillRect(TRect(0, 0, width, height));
    for (TPoint p : {TPoint(0, 0), TPoint(width - 1, 0), TPoint(0, height - 1),
                     TPoint(width - 1, height - 1), TPoint(width / 2, 0)})
        mask->SetPixel(p.X, p.Y, clWhite);
    f.Data->ActivePictures.push_back(std::move(mask));
    return static_cast<int>(f.Data->ActivePictures.size()) - 1;
}

} // namespace

TEST(SkinControl, PictureIndicesBeyondTheListGiveNoPictureAndNoRegion) {
    TSkinnedForm f;
    f.LoadFixture();
    auto& record = RecordNamed(f, "button");
    const int count = static_cast<int>(f.Data->ActivePictures.size());
    record.PictureIndex = count;
    record.MaskPictureIndex = count + 3;
    auto* c = MakeControl(f, "button", 120, 40);
    ASSERT_NE(c->SkinIndex(), -1);
    EXPECT_EQ(c->Picture, nullptr);
    EXPECT_EQ(c->MaskPicture, nullptr);
    EXPECT_FALSE(c->WindowRegion().has_value());
    // The geometry still fits the size; the face is the default one.
    EXPECT_EQ(c->StretchMode, TbsStretchMode::Both);
    EXPECT_EQ(c->FittedClientRect, TRect(4, 4, 116, 36));
    EXPECT_EQ(PaintedPixel(*c, 60, 20), ColorToRGB(clBtnFace));
}

TEST(SkinControl, AnEmptySkinRectangleKeepsTheBoundsAndComposesNothing) {
    TSkinnedForm f;
    f.LoadFixture();
    RecordNamed(f, "button").SkinRect = TRect(0, 0, 0, 25);
    auto* c = MakeControl(f, "button", 130, 45);
    ASSERT_NE(c->SkinIndex(), -1);
    EXPECT_EQ(c->StretchMode, TbsStretchMode::None);
    EXPECT_EQ(c->BoundsRect(), TRect(10, 10, 140, 55));
    c->SetBounds(0, 0, 90, 33);
    EXPECT_EQ(c->BoundsRect(), TRect(0, 0, 90, 33));
    TBitmap probe(4, 4);
    EXPECT_FALSE(c->ComposeImage(probe, c->SkinRect, 90, 33));
    EXPECT_FALSE(c->WindowRegion().has_value()); // no fit, no mask region
}

// The region of a band record comes from its mask fitted like its picture: the kept ends
// and the repeated middle. Built from the corner points instead (the right-top corner
// moved by the growth, the bottom corners of a band record being zero), the bottom strip
// would keep only the skin's width and cut the rest of the control's bottom rows away.
TEST(SkinControl, ABandRecordsMaskFollowsItsFittedPicture) {
    TSkinnedForm f;
    f.LoadFixture();
    RecordNamed(f, "hbutton").MaskPictureIndex = AddBandMask(f, 60, 22);
    RecordNamed(f, "vbutton").MaskPictureIndex = AddBandMask(f, 24, 60);

    auto* h = MakeControl(f, "hbutton", 150, 22);
    ASSERT_TRUE(h->WindowRegion().has_value());
    const QRegion hr = *h->WindowRegion();
    EXPECT_EQ(hr.boundingRect(), QRect(0, 0, 150, 22));
    for (QPoint outside : {QPoint(0, 0), QPoint(149, 0), QPoint(0, 21), QPoint(149, 21)})
        EXPECT_FALSE(hr.contains(outside)) << outside.x() << "," << outside.y();
    EXPECT_FALSE(hr.contains(QPoint(30, 0))); // the notch of the band, repeated every 44
    EXPECT_FALSE(hr.contains(QPoint(30 + 44, 0)));
    for (QPoint inside : {QPoint(1, 0), QPoint(148, 21), QPoint(120, 21), QPoint(75, 11)})
        EXPECT_TRUE(hr.contains(inside)) << inside.x() << "," << inside.y();

    // Where the corner-point construction is sound (top strip, sides, client) it agrees.
    const int grow = 150 - 60;
    const TbsRegion fromCorners =
        CreateSkinRegion(h->LTPoint, h->RTPoint, h->LBPoint, h->RBPoint, h->SkinClientRect,
                         h->LTPoint, TPoint(150 + h->RTPoint.X - 60, h->RTPoint.Y), h->LBPoint,
                         h->RBPoint, h->FittedClientRect, *h->MaskPicture, 150, 22);
    ASSERT_TRUE(fromCorners.has_value());
    const QRegion aboveBottom(0, 0, 150, h->SkinClientRect.Bottom);
    EXPECT_EQ(fromCorners->intersected(aboveBottom), hr.intersected(aboveBottom));
    EXPECT_FALSE(fromCorners->contains(QPoint(60 + grow / 2, 21))) << "the corner way's fault";

    auto* v = MakeControl(f, "vbutton", 24, 100);
    ASSERT_TRUE(v->WindowRegion().has_value());
    const QRegion vr = *v->WindowRegion();
    EXPECT_EQ(vr.boundingRect(), QRect(0, 0, 24, 100));
    for (QPoint outside : {QPoint(0, 0), QPoint(23, 0), QPoint(0, 99), QPoint(23, 99)})
        EXPECT_FALSE(vr.contains(outside)) << outside.x() << "," << outside.y();
    for (QPoint inside : {QPoint(1, 0), QPoint(22, 99), QPoint(12, 80)})
        EXPECT_TRUE(vr.contains(inside)) << inside.x() << "," << inside.y();
}
