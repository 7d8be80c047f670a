// zarvo-gallery [--fixture] [SKINFOLDER...] --out DIR
//
// Renders every control of the skinned-control library in each of its states into one PNG
// sheet per skin: "default.png" for the look without a skin, "fixture.png" for the test
// fixture skin (--fixture), and "<folder name>.png" for every skin folder given (a folder
// holding skin.ini). Each cell is labelled. Runs on the offscreen platform; no display.

#include "gallery/GalleryRegistry.h"
#include "fixtures/ControlsSkinFixture.h"

#include "skin/bsSkinData.h"

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

// Builds one cell on a form of its size and takes a picture of the form's client area.
TRenderedCell RenderCell(const TGalleryCell& cell, TbsSkinData* skinData) {
    auto form = std::make_unique<TForm>();
    form->SetClientSize(cell.Width, cell.Height);
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

bool SaveSheet(const QImage& sheet, const QString& path) {
    if (!sheet.save(path, "PNG")) {
        std::fprintf(stderr, "zarvo-gallery: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// Loads a skin and renders its sheet; a skin that cannot be read is reported.
bool RenderSkin(const QString& title, const QString& iniPath, const QString& out) {
    TbsSkinData data;
    try {
        data.LoadSkinFile(iniPath);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zarvo-gallery: %s: %s\n", qPrintable(iniPath), error.what());
        return false;
    }
    if (data.SkinEmpty) {
        std::fprintf(stderr, "zarvo-gallery: %s is not a complete skin\n", qPrintable(iniPath));
        return false;
    }
    return SaveSheet(RenderSheet(title, &data), out);
}

int Usage() {
    std::fprintf(stderr, "usage: zarvo-gallery [--fixture] [SKINFOLDER...] --out DIR\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    bool fixture = false;
    QString outDir;
    QStringList folders;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--fixture"))
            fixture = true;
        else if (args[i] == QLatin1String("--out") && i + 1 < args.size())
            outDir = args[++i];
        else if (args[i].startsWith(QLatin1String("-")))
            return Usage();
        else
            folders << args[i];
    }
    if (outDir.isEmpty())
        return Usage();
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "zarvo-gallery: cannot create %s\n", qPrintable(outDir));
        return 1;
    }

    bool ok = SaveSheet(RenderSheet(QStringLiteral("Default look (no skin)"), nullptr),
                        outDir + QStringLiteral("/default.png"));
    if (fixture) {
        QTemporaryDir temp;
        const QString ini = TControlsSkin().Write(temp.path() + QStringLiteral("/fixture"));
        ok = !ini.isEmpty() &&
             RenderSkin(QStringLiteral("Fixture skin"), ini,
                        outDir + QStringLiteral("/fixture.png")) &&
             ok;
    }
    for (const QString& folder : folders) {
        const QString name = QFileInfo(QDir::cleanPath(folder)).fileName();
        ok = RenderSkin(QStringLiteral("Skin ") + name, folder + QStringLiteral("/skin.ini"),
                        outDir + QLatin1Char('/') + name + QStringLiteral(".png")) &&
             ok;
    }
    Application->DestroyForms();
    return ok ? 0 : 1;
}
