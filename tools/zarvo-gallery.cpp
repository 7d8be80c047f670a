// zarvo-gallery [--fixture] [SKIN...] --out DIR
//
// Renders every control of the skinned-control library in each of its states into one PNG
// sheet per skin: "default.png" for the look without a skin, "fixture.png" for the test
// fixture skin (--fixture), and "<name>.png" for every skin given (a skin folder, its
// skin.ini or a compressed skin file, as zarvo-skin takes them). Each cell is labelled. Runs
// on the offscreen platform; no display.

#include "SkinSource.h"
#include "ToolCli.h"
#include "fixtures/ControlsSkinFixture.h"
#include "gallery/GalleryRegistry.h"

#include "skin/bsSkinData.h"

#include "framework/Exceptions.h"
#include "framework/Font.h"
#include "framework/Forms.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <memory>

namespace {

constexpr int SheetWidth = 900;
constexpr int Margin = 12;
constexpr int CellGap = 14;
constexpr int LabelHeight = 16;

struct TRenderedCell {
    QString Label;
    QImage Image;
};

QFont SheetFont(int pixelSize, bool bold = false) {
    QFont font(TFont::SubstituteFamily(QStringLiteral("Arial")));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// A skinned window shows its controls on the skin's client background: the skin's
// background picture tiled, or else the frame picture's client piece tiled. The cells of a
// skinned sheet stand on it too (a backdrop below the cell's controls), so what a control's
// mask leaves out shows as it would in such a window.
QImage SkinClientBackground(const TbsSkinData& data, int width, int height) {
    QImage tile;
    const int index = data.BGPictureIndex;
    if (index >= 0 && index < static_cast<int>(data.ActivePictures.size()) &&
        !data.ActivePictures[index]->Empty())
        tile = data.ActivePictures[index]->ToQImage();
    else if (!data.ClientRect.IsEmpty() && !data.SkinPicture.Empty())
        tile = data.SkinPicture.ToQImage().copy(data.ClientRect.ToQRect());
    if (tile.isNull() || width <= 0 || height <= 0)
        return {};
    QImage background(width, height, QImage::Format_RGB32);
    QPainter painter(&background);
    painter.drawTiledPixmap(QRect(0, 0, width, height), QPixmap::fromImage(tile));
    return background;
}

class TBackdrop : public QWidget {
public:
    TBackdrop(QWidget* parent, QImage picture) : QWidget(parent), FPicture(std::move(picture)) {
        setGeometry(0, 0, FPicture.width(), FPicture.height());
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, FPicture); }

private:
    QImage FPicture;
};

// Builds one cell on a form of its size and takes a picture of the form's client area.
TRenderedCell RenderCell(const TGalleryCell& cell, TbsSkinData* skinData) {
    auto form = std::make_unique<TForm>();
    form->SetClientSize(cell.Width, cell.Height);
    if (skinData) {
        QImage background = SkinClientBackground(*skinData, cell.Width, cell.Height);
        if (!background.isNull())
            new TBackdrop(form->ClientArea(), std::move(background));
    }
    TGalleryContext context;
    context.Form = form.get();
    context.SkinData = skinData;
    Guarded([&] { cell.Build(context); });
    context.Settle();
    TRenderedCell rendered{cell.Label, form->ClientArea()->grab().toImage()};
    form->Hide();
    return rendered;
}

struct TRenderedSection {
    QString Title;
    std::vector<TRenderedCell> Cells;
};

// Lays the cells out in rows; returns the height used. Draws only when `painter` is given.
int LayOutSection(const TRenderedSection& section, int top, QPainter* painter) {
    const QFontMetrics labels(SheetFont(11));
    int y = top;
    if (painter) {
        painter->setFont(SheetFont(14, true));
        painter->setPen(QColor(30, 40, 70));
        painter->drawText(QRect(Margin, y, SheetWidth - 2 * Margin, 20),
                          Qt::AlignLeft | Qt::AlignVCenter, section.Title);
        painter->setPen(QColor(170, 176, 190));
        painter->drawLine(Margin, y + 21, SheetWidth - Margin, y + 21);
    }
    y += 28;
    int x = Margin;
    int rowHeight = 0;
    for (const TRenderedCell& cell : section.Cells) {
        const int width = std::max(cell.Image.width(), labels.horizontalAdvance(cell.Label)) + 8;
        const int height = cell.Image.height() + LabelHeight + 6;
        if (x > Margin && x + width > SheetWidth - Margin) {
            x = Margin;
            y += rowHeight + CellGap;
            rowHeight = 0;
        }
        if (painter) {
            const int imageX = x + (width - cell.Image.width()) / 2;
            painter->setPen(QColor(200, 204, 214));
            painter->drawRect(imageX - 1, y - 1, cell.Image.width() + 1, cell.Image.height() + 1);
            painter->drawImage(imageX, y, cell.Image);
            painter->setFont(SheetFont(11));
            painter->setPen(QColor(60, 60, 60));
            painter->drawText(QRect(x, y + cell.Image.height() + 4, width, LabelHeight),
                              Qt::AlignHCenter | Qt::AlignTop, cell.Label);
        }
        x += width + CellGap;
        rowHeight = std::max(rowHeight, height);
    }
    return y + rowHeight + CellGap - top;
}

QImage RenderSheet(const QString& title, TbsSkinData* skinData) {
    std::vector<TRenderedSection> sections;
    for (const TGallerySection& section : GalleryRegistry::Sections()) {
        const std::vector<TGalleryCell> cells =
            section.SkinCells ? section.SkinCells(skinData) : section.Cells();
        if (cells.empty())
            continue;
        TRenderedSection rendered{section.Title, {}};
        for (const TGalleryCell& cell : cells)
            rendered.Cells.push_back(RenderCell(cell, skinData));
        sections.push_back(std::move(rendered));
    }
    int height = Margin + 34;
    for (const auto& section : sections)
        height += LayOutSection(section, height, nullptr);
    QImage sheet(SheetWidth, height + Margin, QImage::Format_RGB32);
    sheet.fill(QColor(248, 248, 250));
    QPainter painter(&sheet);
    painter.setFont(SheetFont(18, true));
    painter.setPen(QColor(20, 20, 20));
    painter.drawText(QRect(Margin, Margin, SheetWidth - 2 * Margin, 26),
                     Qt::AlignLeft | Qt::AlignVCenter, title);
    int y = Margin + 34;
    for (const auto& section : sections)
        y += LayOutSection(section, y, &painter);
    return sheet;
}

// Writes a sheet atomically: a failed write leaves an older sheet of the name as it was.
void SaveSheet(const QImage& sheet, const QString& path) {
    ToolCli::WriteAtomically(path, [&](const QString& file) { return sheet.save(file, "PNG"); });
    std::printf("%s\n", qPrintable(path));
}

// A skin to draw a sheet of, loaded before any sheet is written.
struct TSheetSkin {
    QString Title;
    QString SheetName;
    std::unique_ptr<TbsSkinData> Data;
};

// The sheet's name for a skin argument: a folder's or skin.ini's folder name, or a
// compressed skin file's name without its extension.
QString SheetNameOf(const QString& argument, const QString& path) {
    const QFileInfo info(QDir::cleanPath(argument));
    if (info.isDir())
        return info.fileName();
    if (SkinSource::IsCompressedSkinFile(path))
        return info.completeBaseName();
    return QFileInfo(info.absolutePath()).fileName();
}

// Loads a skin as a program does; a skin that cannot be read or is incomplete fails the run.
TSheetSkin LoadSheetSkin(const QString& title, const QString& sheetName, const QString& path) {
    TSheetSkin skin{title, sheetName, std::make_unique<TbsSkinData>()};
    try {
        SkinSource::LoadSkin(*skin.Data, path);
    } catch (const Exception& error) {
        throw ToolCli::Failure{QStringLiteral("%1: %2").arg(path, error.Message())};
    }
    if (skin.Data->SkinEmpty)
        throw ToolCli::Failure{QStringLiteral("%1 is not a complete skin").arg(path)};
    return skin;
}

const ToolCli::TOption FixtureOption{QStringLiteral("--fixture"), QString(),
                                     QStringLiteral("also draw the test fixture skin "
                                                    "(fixture.png)")};
const ToolCli::TOption OutOption{QStringLiteral("--out"), QStringLiteral("DIR"),
                                 QStringLiteral("the folder the sheets are written to (made when "
                                                "missing)")};

const ToolCli::TToolInfo& Tool() {
    static const ToolCli::TToolInfo tool{
        QStringLiteral("zarvo-gallery"),
        {QStringLiteral("[--fixture] [SKIN...] --out DIR")},
        QStringLiteral(
            "Draws every skinned control in each of its states into one PNG sheet per skin:\n"
            "default.png for the look without a skin, fixture.png for the test fixture skin,\n"
            "and NAME.png for every SKIN given. A SKIN is a skin folder, its skin.ini or a\n"
            "compressed skin file; NAME is the folder's name or the compressed file's name.\n"
            "Every skin is loaded before any sheet is written, so a skin that cannot be read\n"
            "fails the run without writing anything. Existing sheets are replaced. Runs on\n"
            "the offscreen platform and needs no display.\n"),
        {FixtureOption, OutOption}};
    return tool;
}

} // namespace

int main(int argc, char** argv) {
    return ToolCli::RunTool(Tool(), argc, argv, [&](const QStringList& args) {
        const ToolCli::TArguments arguments = ToolCli::Parse(args, Tool().Options);
        const QString outDir = arguments.Value(OutOption.Name);
        if (outDir.isEmpty())
            throw ToolCli::UsageError{QStringLiteral("missing --out DIR")};

        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);

        std::vector<TSheetSkin> skins;
        QTemporaryDir temp;
        if (arguments.IsSet(FixtureOption.Name)) {
            const QString ini = TControlsSkin().Write(temp.path() + QStringLiteral("/fixture"));
            if (ini.isEmpty())
                throw ToolCli::Failure{QStringLiteral("cannot write the fixture skin")};
            skins.push_back(
                LoadSheetSkin(QStringLiteral("Fixture skin"), QStringLiteral("fixture"), ini));
        }
        for (const QString& argument : arguments.Positional()) {
            const QString path = SkinSource::SkinPathOf(argument);
            const QString name = SheetNameOf(argument, path);
            skins.push_back(LoadSheetSkin(QStringLiteral("Skin ") + name, name, path));
        }
        if (!QDir().mkpath(outDir))
            throw ToolCli::Failure{QStringLiteral("cannot create the folder %1").arg(outDir)};

        const QDir out(outDir);
        SaveSheet(RenderSheet(QStringLiteral("Default look (no skin)"), nullptr),
                  out.filePath(QStringLiteral("default.png")));
        for (const TSheetSkin& skin : skins)
            SaveSheet(RenderSheet(skin.Title, skin.Data.get()),
                      out.filePath(skin.SheetName + QStringLiteral(".png")));
        Application->DestroyForms();
        return 0;
    });
}
