// Gallery section: the control records of the sheet's skin that no skinned control draws
// yet. Each is composed the way the control base fits a record to a control (by its stretch
// mode) at a size the program's windows give that control: its normal look and, when the
// record has one, its active look beside it, each with a line of text in the record's font
// and colours. Without a skin the section is empty.

#include "gallery/GalleryRegistry.h"

#include "skinctrls/bsSkinCtrls.h"

#include "skin/bsSkinData.h"
#include "skin/bsUtils.h"

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/IniFiles.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <optional>

namespace {

constexpr int LookGap = 6;

// Records the other sections show through their controls.
bool ShownElsewhere(const QString& name) {
    static const QSet<QString> names = {
        QStringLiteral("button"),         QStringLiteral("toolbutton"),
        QStringLiteral("fixedbutton"),    QStringLiteral("hbutton"),
        QStringLiteral("vbutton"),        QStringLiteral("nopicbutton"),
        QStringLiteral("vscrollbar"),     QStringLiteral("hscrollbar"),
        QStringLiteral("bothhscrollbar"), QStringLiteral("panel"),
        QStringLiteral("groupbox"),       QStringLiteral("statusbar"),
        QStringLiteral("statuspanel"),    QStringLiteral("label"),
        QStringLiteral("stdlabel")};
    return names.contains(name);
}

// The size the program's windows give a control of this record; the record's stretch mode
// may still fix a side.
TSize ProgramSize(const QString& name) {
    static const QHash<QString, TSize> sizes = {
        {QStringLiteral("combobox"), {169, 20}},    {QStringLiteral("toolcombobox"), {190, 20}},
        {QStringLiteral("edit"), {169, 20}},        {QStringLiteral("buttonedit"), {169, 20}},
        {QStringLiteral("spinedit"), {100, 20}},    {QStringLiteral("memo"), {240, 100}},
        {QStringLiteral("listbox"), {169, 160}},    {QStringLiteral("checklistbox"), {169, 120}},
        {QStringLiteral("treeview"), {160, 120}},   {QStringLiteral("listview"), {200, 120}},
        {QStringLiteral("richedit"), {240, 100}},   {QStringLiteral("expanel"), {150, 100}},
        {QStringLiteral("tab"), {200, 100}},        {QStringLiteral("grid"), {200, 100}},
        {QStringLiteral("checkbox"), {150, 25}},    {QStringLiteral("radiobox"), {150, 25}},
        {QStringLiteral("hupdown"), {50, 25}},      {QStringLiteral("vupdown"), {25, 50}},
        {QStringLiteral("updown"), {50, 25}},       {QStringLiteral("gauge"), {200, 20}},
        {QStringLiteral("trackbar"), {150, 30}},    {QStringLiteral("splitter"), {10, 100}},
        {QStringLiteral("vsplitter"), {10, 100}},   {QStringLiteral("bevel"), {150, 50}},
        {QStringLiteral("toolpanel"), {300, 25}},   {QStringLiteral("resizebutton"), {100, 20}},
        {QStringLiteral("menubutton"), {90, 25}},   {QStringLiteral("mainmenubar"), {300, 22}},
        {QStringLiteral("bigtoolbutton"), {50, 50}}};
    return sizes.value(name, TSize{120, 40});
}

// What a record holds, as it writes itself back; empty text for a key it does not have.
class TRecordValues {
public:
    explicit TRecordValues(TbsDataSkinControl& record) {
        const QString name = record.IDName;
        record.IDName = Section;
        record.SaveToIni(FIni);
        record.IDName = name;
    }
    bool Has(const QString& key) const { return FIni.ValueExists(Section, key); }
    QString Text(const QString& key) const { return FIni.ReadString(Section, key, QString()); }
    int Int(const QString& key) const { return FIni.ReadInteger(Section, key, 0); }
    TColor Color(const QString& key) const { return static_cast<TColor>(Int(key)); }

private:
    inline static const QString Section = QStringLiteral("record");
    TMemIniFile FIni;
};

// A line of sample text in the record's font, "fontcolor" (or `colorKey` when the record
// has it), in `rect`. Nothing for a record without a font.
void DrawSample(TBitmap& bitmap, const TRecordValues& values, const TRect& rect,
                const QString& colorKey = QString()) {
    if (!values.Has(QStringLiteral("fontname")) || rect.IsEmpty())
        return;
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font.SetName(values.Text(QStringLiteral("fontname")));
    canvas.Font.SetHeight(values.Int(QStringLiteral("fontheight")));
    canvas.Font.SetStyle(SkinValues::ParseFontStyle(values.Text(QStringLiteral("fontstyle"))));
    const QString key =
        !colorKey.isEmpty() && values.Has(colorKey) ? colorKey : QStringLiteral("fontcolor");
    canvas.Font.SetColor(values.Color(key));
    canvas.Brush.Style = bsClear;
    const QString text = QStringLiteral("文本 Text");
    canvas.IntersectClipRect(rect);
    // Centred vertically; in a tall field (a memo, a list) on the first line.
    const int textHeight = canvas.TextHeight(text);
    const int top =
        rect.Height() > 3 * textHeight ? rect.Top + 3 : rect.Top + (rect.Height() - textHeight) / 2;
    canvas.TextOut(rect.Left + 3, top, text);
    canvas.SelectClipRgn(nullptr);
}

const TBitmap* UsablePicture(const TbsSkinData& data, int index) {
    if (index < 0 || index >= static_cast<int>(data.ActivePictures.size()))
        return nullptr;
    const TBitmap* picture = data.ActivePictures[static_cast<size_t>(index)].get();
    return picture->Empty() ? nullptr : picture;
}

// The geometry the control base takes from a record, extended to the records that carry
// their own frame geometry outside the custom-control family: a tab control's page frame and
// the main menu bar (its items rectangle keeps the bar's ends).
std::optional<TbsSkinGeometry> GeometryOf(const TbsSkinData& data,
                                          const TbsDataSkinControl& record) {
    TbsSkinGeometry geometry;
    if (dynamic_cast<const TbsDataSkinCustomControl*>(&record)) {
        geometry.LoadGeometry(data, record, false);
        return geometry;
    }
    geometry.SkinRect = record.SkinRect;
    geometry.Picture = UsablePicture(data, record.PictureIndex);
    if (auto* tab = dynamic_cast<const TbsDataSkinTabControl*>(&record)) {
        geometry.SkinClientRect = tab->ClientRect;
        geometry.LTPoint = tab->LeftTopPoint;
        geometry.RTPoint = tab->RightTopPoint;
        geometry.LBPoint = tab->LeftBottomPoint;
        geometry.RBPoint = tab->RightBottomPoint;
    } else if (auto* bar = dynamic_cast<const TbsDataSkinMainMenuBar*>(&record)) {
        geometry.SkinClientRect = bar->ItemsRect;
        geometry.LTPoint = TPoint(bar->ItemsRect.Left, 0);
        geometry.RTPoint = TPoint(bar->ItemsRect.Right, 0);
    } else {
        return std::nullopt;
    }
    geometry.StretchMode = geometry.ModeOfGeometry();
    return geometry;
}

// One look of a record: `state` of its picture fitted to the program's size.
struct TLook {
    TBitmap Image;
    // Where the text goes.
    TRect Client;
    // The record's geometry fitted to the look's size, when it was composed from one.
    std::optional<TbsSkinGeometry> Fitted;
};

std::optional<TLook> Compose(TbsSkinGeometry geometry, const TRect& state, TSize size) {
    int width = size.cx;
    int height = size.cy;
    geometry.FitGeometry(width, height);
    TLook look;
    if (state.IsEmpty() || !geometry.ComposeImage(look.Image, state, width, height))
        return std::nullopt;
    look.Client = geometry.FittedClientRect.IsEmpty() ? TRect(0, 0, width, height)
                                                      : geometry.FittedClientRect;
    look.Fitted = geometry;
    return look;
}

TBitmap Piece(const TBitmap& picture, const TRect& rect) {
    TBitmap piece(rect.Width(), rect.Height());
    piece.Canvas().Draw(-rect.Left, -rect.Top, picture);
    return piece;
}

// The pieces of an up-down record side by side (horizontal) or stacked: down then up.
std::optional<TLook> ComposeUpDown(const TbsSkinData& data, const TbsDataSkinUpDownControl& record,
                                   bool vertical, bool active) {
    const TBitmap* picture = UsablePicture(data, record.PictureIndex);
    const TRect down = active ? record.ActiveDownButtonRect : record.DownButtonRect;
    const TRect up = active ? record.ActiveUpButtonRect : record.UpButtonRect;
    if (!picture || down.IsEmpty() || up.IsEmpty())
        return std::nullopt;
    TLook look;
    const int width = vertical ? std::max(down.Width(), up.Width()) : down.Width() + up.Width();
    const int height =
        vertical ? down.Height() + up.Height() : std::max(down.Height(), up.Height());
    look.Image.SetSize(width, height);
    TCanvas& canvas = look.Image.Canvas();
    // Up is the top (vertical) or right half, down the other one.
    const TPoint upAt = vertical ? TPoint(0, 0) : TPoint(down.Width(), 0);
    const TPoint downAt = vertical ? TPoint(0, up.Height()) : TPoint(0, 0);
    canvas.Draw(upAt.X, upAt.Y, Piece(*picture, up));
    canvas.Draw(downAt.X, downAt.Y, Piece(*picture, down));
    look.Client = TRect(0, 0, width, height);
    return look;
}

// A record without a picture of its own (tree and list views, rich edits, grids, bevels): a
// swatch of its colours at the program's size.
TLook Swatch(const TRecordValues& values, TSize size) {
    TLook look;
    look.Image.SetSize(size.cx, size.cy);
    look.Client = TRect(0, 0, size.cx, size.cy);
    TCanvas& canvas = look.Image.Canvas();
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color =
        values.Has(QStringLiteral("bgcolor")) ? values.Color(QStringLiteral("bgcolor")) : clBtnFace;
    canvas.FillRect(look.Client);
    if (values.Has(QStringLiteral("linescolor"))) {
        canvas.Pen.Color = values.Color(QStringLiteral("linescolor"));
        for (int x = 50; x < size.cx; x += 50) {
            canvas.MoveTo(x, 0);
            canvas.LineTo(x, size.cy);
        }
        for (int y = 20; y < size.cy; y += 20) {
            canvas.MoveTo(0, y);
            canvas.LineTo(size.cx, y);
        }
    }
    if (values.Has(QStringLiteral("lightcolor"))) {
        const TColor light = values.Color(QStringLiteral("lightcolor"));
        const TColor dark = values.Color(QStringLiteral("darkcolor"));
        DrawFrame3D(canvas, TRect(4, 4, size.cx - 4, size.cy - 4), dark, light);
        DrawFrame3D(canvas, TRect(12, 12, size.cx - 12, size.cy - 12), light, dark);
    }
    return look;
}

// The tab control's tabs, normal and active, as a tab row of two tabs above its page frame.
std::optional<TLook> WithTabs(const TbsSkinData& data, const TbsDataSkinTabControl& tab,
                              std::optional<TLook> page) {
    const TBitmap* picture = UsablePicture(data, tab.PictureIndex);
    if (!picture || tab.TabRect.IsEmpty() || !page)
        return page;
    constexpr int TabWidth = 70;
    TBitmap normal, active;
    CreateHSkinImage(tab.TabLeftOffset, tab.TabRightOffset, normal, TabWidth, tab.TabRect,
                     *picture);
    const TRect activeRect = tab.ActiveTabRect.IsEmpty() ? tab.TabRect : tab.ActiveTabRect;
    CreateHSkinImage(tab.TabLeftOffset, tab.TabRightOffset, active, TabWidth, activeRect, *picture);
    const int row = std::max(normal.Height(), active.Height());
    TLook look;
    look.Image.SetSize(page->Image.Width(), row + page->Image.Height());
    TCanvas& canvas = look.Image.Canvas();
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect(TRect(0, 0, look.Image.Width(), row));
    canvas.Draw(0, row - active.Height(), active);
    canvas.Draw(TabWidth, row - normal.Height(), normal);
    canvas.Draw(0, row, page->Image);
    look.Client = page->Client;
    look.Client.Offset(0, row);
    return look;
}

// Check boxes show their check mark in the check image area and the text in the text area;
// a rolling panel's text is its caption.
void PlaceParts(TLook& look, const TbsSkinData& data, const TbsDataSkinControl& record,
                bool active) {
    if (!look.Fitted)
        return;
    const int width = look.Image.Width();
    const int height = look.Image.Height();
    auto placed = [&](const TRect& rect) { return look.Fitted->MapRect(rect, width, height); };
    if (auto* check = dynamic_cast<const TbsDataSkinCheckRadioControl*>(&record)) {
        const TBitmap* picture = UsablePicture(data, check->PictureIndex);
        const TRect mark = active && !check->ActiveCheckImageRect.IsEmpty()
                               ? check->ActiveCheckImageRect
                               : check->CheckImageRect;
        const TRect area = placed(check->CheckImageArea);
        if (picture && !mark.IsEmpty() && !area.IsEmpty())
            look.Image.Canvas().Draw(area.Left + (area.Width() - mark.Width()) / 2,
                                     area.Top + (area.Height() - mark.Height()) / 2,
                                     Piece(*picture, mark));
        if (!check->TextArea.IsEmpty())
            look.Client = placed(check->TextArea);
    } else if (auto* panel = dynamic_cast<const TbsDataSkinExPanelControl*>(&record)) {
        if (!panel->CaptionRect.IsEmpty())
            look.Client = placed(panel->CaptionRect);
    }
}

// The normal look and, when the record has "activeskinrect" (or active up-down buttons),
// the active one, each with sample text.
std::vector<TLook> LooksOf(TbsSkinData& data, TbsDataSkinControl& record) {
    const TRecordValues values(record);
    const TSize size = ProgramSize(record.IDName);
    std::vector<TLook> looks;
    if (auto* updown = dynamic_cast<const TbsDataSkinUpDownControl*>(&record)) {
        const bool vertical = record.IDName.startsWith(QLatin1Char('v'));
        for (bool active : {false, true}) {
            if (auto look = ComposeUpDown(data, *updown, vertical, active))
                looks.push_back(std::move(*look));
        }
        return looks;
    }
    const std::optional<TbsSkinGeometry> geometry = GeometryOf(data, record);
    std::optional<TLook> normal;
    if (geometry)
        normal = Compose(*geometry, record.SkinRect, size);
    if (auto* tab = dynamic_cast<const TbsDataSkinTabControl*>(&record))
        normal = WithTabs(data, *tab, std::move(normal));
    if (!normal)
        normal = Swatch(values, size);
    PlaceParts(*normal, data, record, false);
    DrawSample(normal->Image, values, normal->Client);
    looks.push_back(std::move(*normal));

    const QString activeKey = QStringLiteral("activeskinrect");
    if (geometry && values.Has(activeKey)) {
        if (auto active = Compose(*geometry, SkinValues::ParseRect(values.Text(activeKey)), size)) {
            PlaceParts(*active, data, record, true);
            DrawSample(active->Image, values, active->Client, QStringLiteral("activefontcolor"));
            looks.push_back(std::move(*active));
        }
    }
    return looks;
}

// The looks side by side in one picture.
TBitmap Joined(const std::vector<TLook>& looks) {
    int width = 0;
    int height = 0;
    for (const TLook& look : looks) {
        width += look.Image.Width() + (width > 0 ? LookGap : 0);
        height = std::max(height, look.Image.Height());
    }
    TBitmap joined(width, height);
    TCanvas& canvas = joined.Canvas();
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = RGB(248, 248, 250);
    canvas.FillRect(TRect(0, 0, width, height));
    int x = 0;
    for (const TLook& look : looks) {
        canvas.Draw(x, 0, look.Image);
        x += look.Image.Width() + LookGap;
    }
    return joined;
}

std::vector<TGalleryCell> RecordCells(TbsSkinData* data) {
    std::vector<TGalleryCell> cells;
    if (!data || data->SkinEmpty)
        return cells;
    QSet<QString> seen;
    for (const auto& record : data->SkinControls) {
        const QString name = record->IDName;
        // Lookups find the first record of a name; later ones are never drawn.
        if (ShownElsewhere(name) || seen.contains(name))
            continue;
        seen.insert(name);
        const std::vector<TLook> looks = LooksOf(*data, *record);
        if (looks.empty())
            continue;
        cells.push_back(PictureCell(
            looks.size() > 1 ? name + QStringLiteral(" (normal, active)") : name, Joined(looks)));
    }
    return cells;
}

const bool Registered = GalleryRegistry::Add({90, "Skin records", nullptr, RecordCells});

} // namespace
