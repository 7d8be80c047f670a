// Writes the installation pictures: 24-bit BMPs through TBitmap, the about picture as a
// JPEG through libjpeg, the icon as PNGs; and the pixel-art toolkit of the small pictures.

#include "InstallPictures.h"
#include "InstallArt.h"

#include "framework/Bitmap.h"
#include "framework/Exceptions.h"
#include "framework/Font.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <stdexcept>
#include <string>

QString InstallPictureFiles::AppIcon(int size) {
    return QStringLiteral("zarvofx-%1.png").arg(size);
}

namespace InstallArt {

QFont Font(const QString& face, int pixelSize, bool bold, const QString& cjkFace) {
    QFont font;
    font.setFamilies({TFont::SubstituteFamily(face), TFont::SubstituteFamily(cjkFace)});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setKerning(false);
    return font;
}

void TPixels::Dot(int x, int y, const QColor& c) {
    if (x < 0 || y < 0 || x > 15 || y > 15) // never into a neighbouring cell
        return;
    const int px = FX + x;
    const int py = FY + y;
    if (px >= 0 && py >= 0 && px < FImage.width() && py < FImage.height())
        FImage.setPixelColor(px, py, c);
}

void TPixels::HLine(int x0, int x1, int y, const QColor& c) {
    for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x)
        Dot(x, y, c);
}

void TPixels::VLine(int x, int y0, int y1, const QColor& c) {
    for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y)
        Dot(x, y, c);
}

void TPixels::Line(int x0, int y0, int x1, int y1, const QColor& c) {
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        Dot(x0, y0, c);
        if (x0 == x1 && y0 == y1)
            return;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void TPixels::Fill(int x0, int y0, int x1, int y1, const QColor& c) {
    for (int y = y0; y <= y1; ++y)
        HLine(x0, x1, y, c);
}

void TPixels::FillDown(int x0, int y0, int x1, int y1, const QColor& top, const QColor& bottom) {
    const int rows = std::max(1, y1 - y0);
    for (int y = y0; y <= y1; ++y) {
        const double t = double(y - y0) / rows;
        HLine(x0, x1, y,
              QColor(int(top.red() + (bottom.red() - top.red()) * t + 0.5),
                     int(top.green() + (bottom.green() - top.green()) * t + 0.5),
                     int(top.blue() + (bottom.blue() - top.blue()) * t + 0.5)));
    }
}

void TPixels::Frame(int x0, int y0, int x1, int y1, const QColor& c) {
    HLine(x0, x1, y0, c);
    HLine(x0, x1, y1, c);
    VLine(x0, y0, y1, c);
    VLine(x1, y0, y1, c);
}

void TPixels::RoundFrame(int x0, int y0, int x1, int y1, const QColor& c) {
    HLine(x0 + 1, x1 - 1, y0, c);
    HLine(x0 + 1, x1 - 1, y1, c);
    VLine(x0, y0 + 1, y1 - 1, c);
    VLine(x1, y0 + 1, y1 - 1, c);
}

void TPixels::Sprite(int x, int y, std::initializer_list<const char*> rows) {
    int row = 0;
    for (const char* line : rows) {
        for (int col = 0; line[col] != '\0'; ++col)
            if (line[col] != '.' && line[col] != ' ')
                Dot(x + col, y + row, PaletteColor(line[col]));
        ++row;
    }
}

void TPixels::Halo(int x, int y, std::initializer_list<const char*> rows, const QColor& c) {
    int row = 0;
    for (const char* line : rows) {
        for (int col = 0; line[col] != '\0'; ++col)
            if (line[col] != '.' && line[col] != ' ')
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        Dot(x + col + dx, y + row + dy, c);
        ++row;
    }
}

QColor PaletteColor(char letter) {
    switch (letter) {
    case 'k':
        return Ink::Outline;
    case 'K':
        return Ink::SoftLine;
    case 'w':
        return Ink::White;
    case 'l':
        return Ink::Light;
    case 'm':
        return Ink::MidLight;
    case 'g':
        return Ink::Grey;
    case 'd':
        return Ink::DarkGrey;
    case 'b':
        return Ink::SkyBlue;
    case 'B':
        return Ink::Blue;
    case 'N':
        return Ink::Navy;
    case 'y':
        return Ink::Cream;
    case 'Y':
        return Ink::Gold;
    case 'O':
        return Ink::Amber;
    case 'r':
        return Ink::Rose;
    case 'R':
        return Ink::Red;
    case 'D':
        return Ink::Maroon;
    case 'e':
        return Ink::Mint;
    case 'E':
        return Ink::Green;
    case 'G':
        return Ink::Forest;
    case 'p':
        return Ink::Lilac;
    case 'P':
        return Ink::Violet;
    case 'V':
        return Ink::DeepViolet;
    case 'c':
        return Ink::Aqua;
    case 'C':
        return Ink::Teal;
    case 'n':
        return Ink::Wood;
    case 'h':
        return Ink::Tan;
    default:
        break;
    }
    throw std::logic_error(std::string("no palette colour for the letter '") + letter + "'");
}

} // namespace InstallArt

namespace {

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush())
        throw EFCreateError(path, file.errorString());
}

void WriteBmp(const QImage& image, const QString& path) {
    TBitmap bitmap;
    bitmap.FromQImage(image.convertToFormat(QImage::Format_RGB32));
    bitmap.SaveToFile(path);
}

void WritePng(const QImage& image, const QString& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw EFCreateError(path, QStringLiteral("the PNG encoder failed"));
    WriteBytes(path, bytes);
}

// libjpeg reports fatal errors through a callback that must not return; it jumps back to
// the encoder, which keeps no object with a destructor between setjmp and the jump.
struct JpegErrors {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void JpegEncodeErrorExit(j_common_ptr info) {
    auto* err = reinterpret_cast<JpegErrors*>(info->err);
    (*info->err->format_message)(info, err->message);
    std::longjmp(err->jump, 1);
}

struct JpegEncodeState {
    jpeg_compress_struct info;
    JpegErrors err;
    unsigned char* output;
    unsigned long outputSize;
};

// Encodes `rgb` (Format_RGB888) at `quality` without chroma subsampling, so the text of
// the picture stays crisp. Returns false with state->err.message set.
bool EncodeJpeg(JpegEncodeState* state, const QImage* rgb, int quality) {
    jpeg_compress_struct* info = &state->info;
    info->err = jpeg_std_error(&state->err.pub);
    state->err.pub.error_exit = JpegEncodeErrorExit;
    state->err.message[0] = '\0';
    state->output = nullptr;
    state->outputSize = 0;
    if (setjmp(state->err.jump)) {
        jpeg_destroy_compress(info);
        return false;
    }
    jpeg_create_compress(info);
    jpeg_mem_dest(info, &state->output, &state->outputSize);
    info->image_width = static_cast<JDIMENSION>(rgb->width());
    info->image_height = static_cast<JDIMENSION>(rgb->height());
    info->input_components = 3;
    info->in_color_space = JCS_RGB;
    jpeg_set_defaults(info);
    jpeg_set_quality(info, quality, TRUE);
    for (int c = 0; c < info->num_components; ++c) {
        info->comp_info[c].h_samp_factor = 1;
        info->comp_info[c].v_samp_factor = 1;
    }
    info->optimize_coding = TRUE;
    info->density_unit = 1; // dots per inch
    info->X_density = 96;
    info->Y_density = 96;
    jpeg_start_compress(info, TRUE);
    while (info->next_scanline < info->image_height) {
        JSAMPROW row[1] = {const_cast<JSAMPLE*>(rgb->constScanLine(int(info->next_scanline)))};
        jpeg_write_scanlines(info, row, 1);
    }
    jpeg_finish_compress(info);
    jpeg_destroy_compress(info);
    return true;
}

void WriteJpeg(const QImage& image, const QString& path, int quality) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    JpegEncodeState state{};
    const bool ok = EncodeJpeg(&state, &rgb, quality);
    QByteArray bytes;
    if (ok)
        bytes = QByteArray(reinterpret_cast<const char*>(state.output),
                           static_cast<qsizetype>(state.outputSize));
    std::free(state.output);
    if (!ok)
        throw EFCreateError(path, QString::fromLocal8Bit(state.err.message));
    WriteBytes(path, bytes);
}

} // namespace

void WriteInstallPictures(const QString& folder) {
    if (!QDir().mkpath(folder))
        throw EFCreateError(folder, QStringLiteral("the folder cannot be made"));
    const QString base = folder + QLatin1Char('/');
    WriteBmp(InstallArt::PlaceholderPicture(), base + InstallPictureFiles::Placeholder);
    WriteJpeg(InstallArt::AboutPicture(), base + InstallPictureFiles::About, 92);
    WriteBmp(InstallArt::ImageListStrip(), base + InstallPictureFiles::ImageList);
    for (int size : InstallPictureFiles::AppIconSizes)
        WritePng(InstallArt::AppIcon(size), base + InstallPictureFiles::AppIcon(size));
    for (const char* name : InstallPictureFiles::ToolBar)
        WriteBmp(InstallArt::ToolBarPicture(QString::fromLatin1(name)),
                 base + QString::fromLatin1(name) + QStringLiteral(".bmp"));
}
