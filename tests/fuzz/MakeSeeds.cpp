// Writes the seed corpora of the fuzz targets: small skin.ini texts, BMP images of every
// form the decoder reads, and compressed skins, all made here by code.
//
//   fuzz_make_seeds OUTPUT_DIR   (writes OUTPUT_DIR/<target>/<seed>)

#include "framework/BmpWriter.h"
#include "skin/SkinFixture.h"

#include "skin/bsSkinData.h"

#include "framework/Bitmap.h"
#include "framework/Streams.h"
#include "platform/Gbk.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

namespace {

QString gOutput;

void Write(const QString& target, const QString& name, const QByteArray& bytes) {
    const QString folder = gOutput + QLatin1Char('/') + target;
    QDir().mkpath(folder);
    QFile file(folder + QLatin1Char('/') + name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        std::exit(1);
    }
}

QByteArray IniText(const TSkinFixture& fixture) {
    return Gbk::Encode(fixture.Lines().join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

// A small complete skin: tiny pictures, a frame, both windows, a few records.
TSkinFixture SmallSkin() {
    TSkinFixture f(QStringLiteral("seed"));
    f.AddPicture(QStringLiteral("skin.bmp"), 12, 8, 1);
    f.AddPicture(QStringLiteral("a0.bmp"), 4, 4, 2);
    f.AddPicture(QStringLiteral("a1.bmp"), 6, 4, 3);
    f.Set("VERSION", "skinname", QStringLiteral("种子"))
        .Set("PICTURES", "picture", "skin.bmp")
        .Set("PICTURES", "activepicturescount", "2")
        .Set("PICTURES", "0", "a0.bmp")
        .Set("PICTURES", "1", "a1.bmp")
        .Set("FORMINFO", "lefttoppoint", "3,3")
        .Set("FORMINFO", "rightbottompoint", "9,6")
        .Set("FORMINFO", "clientrect", "2,2,10,7")
        .Set("POPUPWINDOW", "windowpictureindex", "0")
        .Set("HINTWINDOW", "windowpictureindex", "1")
        .Set("SKINOBJECTS", "count", "1")
        .Set("SKINOBJECTS", "0", "close:stdbutton")
        .Set("close", "skinrect", "8,0,12,4")
        .Set("close", "command", "cmclose")
        .Set("SKINCONTROLS", "count", "2")
        .Set("SKINCONTROLS", "0", "button:button")
        .Set("SKINCONTROLS", "1", "vscrollbar:scrollbar")
        .Set("button", "pictureindex", "1")
        .Set("button", "skinrect", "0,0,6,4")
        .Set("vscrollbar", "pictureindex", "0")
        .Set("vscrollbar", "thumbrect", "0,0,4,2");
    return f;
}

void SkinIniSeeds() {
    const char* const target = "fuzz_skin_ini";
    Write(target, QStringLiteral("basic.ini"), IniText(TSkinFixture::Basic(QStringLiteral("b"))));
    Write(target, QStringLiteral("small.ini"), IniText(SmallSkin()));

    // One record of every kind, each with a few keys of its class.
    TSkinFixture all(QStringLiteral("all"));
    all.Set("VERSION", "skinname", "all")
        .Set("PICTURES", "activepicturescount", "3")
        .Set("FORMINFO", "borderwidth", "2");
    const char* const objects[] = {"menuitem", "mainmenubaritem", "stdbutton", "mainmenubarbutton",
                                   "button",   "caption",         "animate",   "userobject"};
    all.Set("SKINOBJECTS", "count", QString::number(std::size(objects)));
    int i = 0;
    for (const char* kind : objects) {
        const QString name = QStringLiteral("o%1").arg(i);
        all.Set("SKINOBJECTS", QString::number(i++), name + QLatin1Char(':') + QLatin1String(kind))
            .Set(name, "skinrect", "0,0,10,8")
            .Set(name, "activepictureindex", "1")
            .Set(name, "fontstyle", "fsbold,fsitalic");
    }
    const char* const controls[] = {
        "panel",    "expanel",     "menubutton", "button",   "checkradio", "gauge",
        "splitter", "trackbar",    "label",      "stdlabel", "updown",     "grid",
        "tab",      "mainmenubar", "controlbar", "memo",     "edit",       "checklistbox",
        "listbox",  "combobox",    "scrollbar",  "spinedit", "scrollbox",  "treeview",
        "bevel",    "slider",      "listview",   "richedit"};
    all.Set("SKINCONTROLS", "count", QString::number(std::size(controls)));
    i = 0;
    for (const char* kind : controls) {
        const QString name = QStringLiteral("c%1").arg(i);
        all.Set("SKINCONTROLS", QString::number(i++), name + QLatin1Char(':') + QLatin1String(kind))
            .Set(name, "pictureindex", "2")
            .Set(name, "skinrect", "1,2,3,4")
            .Set(name, "lefttoppoint", "1,1")
            .Set(name, "fontcolor", "$FF00");
    }
    Write(target, QStringLiteral("allkinds.ini"), IniText(all));

    // Every value form, including the odd spellings the reader accepts.
    TSkinFixture values(QStringLiteral("values"));
    values.Set("VERSION", "skinname", "\"quoted\"")
        .Set("PICTURES", "activepicturescount", "0x2")
        .Set("PICTURES", "mask", "m.bmp")
        .Set("FORMINFO", "clientrect", " 10, 20 ,30,40")
        .Set("FORMINFO", "maskrectarea", "-5,0,10,10")
        .Set("FORMINFO", "hittestlefttoppoint", "0,4")
        .Set("FORMINFO", "autorenderinginactiveimage", "0x1")
        .Set("FORMINFO", "inactiveeffect", "iesplitblur")
        .Set("SKINOBJECTS", "count", "$2")
        .Set("SKINOBJECTS", "0", "cap:caption")
        .Set("SKINOBJECTS", "1", "anim:animate")
        .Set("cap", "alignment", "taleftjustify")
        .Set("cap", "shadow", "2")
        .Set("cap", "morphkind", "mkpush")
        .Set("anim", "command", "cmMinimizeToTray")
        .Set("anim", "morphing", "1")
        .Set("SKINCONTROLS", "count", "3")
        .Set("SKINCONTROLS", "0", "btn:Button")
        .Set("SKINCONTROLS", "1", "nokind")
        .Set("SKINCONTROLS", "2", "a:b:panel")
        .Set("a", "skinrect", "1,2,3,4,5")
        .Set("a", "fontstyle", "FSBOLD fsunderline;fsstrikeout");
    Write(target, QStringLiteral("values.ini"), IniText(values));

    // Comments, duplicates, blanks and a huge count with few keys.
    const QByteArray odd = "; comment\r\n[VERSION]\r\nskinname = one \r\nskinname=two\r\n"
                           "[PICTURES]\r\nactivepicturescount=2147483647\r\n5=x.bmp\r\n"
                           "[FORMINFO]\r\nclientrect=1,1,1\r\n[forminfo]\r\nborderwidth=9\r\n"
                           "[SKINOBJECTS]\r\ncount=100000\r\n99999=x:button\r\n"
                           "[SKINCONTROLS]\r\ncount=-1\r\n0=y:panel\r\nnot a line\r\n[x]\r\n"
                           "skinrect=99999999999,0,0,0\r\n";
    Write(target, QStringLiteral("odd.ini"), odd);
}

QByteArray Bmp(const BmpWriter::Spec& spec, const std::vector<uint32_t>& values) {
    return BmpWriter::Build(spec, BmpWriter::PackRows(spec, values));
}

std::vector<uint32_t> Indices(int count, int colors) {
    std::vector<uint32_t> values;
    for (int i = 0; i < count; ++i)
        values.push_back(static_cast<uint32_t>((i * 7 + 3) % colors));
    return values;
}

void BmpSeeds() {
    using namespace BmpWriter;
    const char* const target = "fuzz_bmp";
    const std::vector<uint32_t> gray = {0x000000, 0x555555, 0xAAAAAA, 0xFFFFFF};
    std::vector<uint32_t> palette16, palette256;
    for (uint32_t i = 0; i < 16; ++i)
        palette16.push_back(i * 0x111111);
    for (uint32_t i = 0; i < 256; ++i)
        palette256.push_back(i * 0x010101 ^ 0x00FF00);

    Spec s;
    s.width = 5;
    s.height = 3;
    s.bitCount = 24;
    std::vector<uint32_t> rgb;
    for (int i = 0; i < 15; ++i)
        rgb.push_back(static_cast<uint32_t>(i * 0x0A1B2C));
    Write(target, QStringLiteral("rgb24.bmp"), Bmp(s, rgb));
    s.topDown = true;
    Write(target, QStringLiteral("rgb24_topdown.bmp"), Bmp(s, rgb));
    s.topDown = false;

    s.bitCount = 32;
    Write(target, QStringLiteral("rgb32.bmp"), Bmp(s, rgb));
    s.compression = BiBitfields;
    s.masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
    Write(target, QStringLiteral("bitfields32.bmp"), Bmp(s, rgb));
    s.bitCount = 16;
    s.masks = {0xF800, 0x07E0, 0x001F};
    Write(target, QStringLiteral("bitfields565.bmp"), Bmp(s, Indices(15, 65536)));
    s.compression = BiRgb;
    Write(target, QStringLiteral("rgb555.bmp"), Bmp(s, Indices(15, 32768)));

    s.bitCount = 1;
    s.palette = {0x000000, 0xFFFFFF};
    Write(target, QStringLiteral("mono.bmp"), Bmp(s, Indices(15, 2)));
    s.bitCount = 4;
    s.palette = palette16;
    Write(target, QStringLiteral("pal4.bmp"), Bmp(s, Indices(15, 16)));
    s.bitCount = 8;
    s.palette = palette256;
    Write(target, QStringLiteral("pal8.bmp"), Bmp(s, Indices(15, 256)));
    s.palette = gray;
    s.colorsUsed = 4;
    Write(target, QStringLiteral("pal8_short.bmp"), Bmp(s, Indices(15, 4)));
    s.colorsUsed = 0;

    s.header = Header::Core;
    s.palette = palette256;
    Write(target, QStringLiteral("core8.bmp"), Bmp(s, Indices(15, 256)));
    s.header = Header::V4;
    Write(target, QStringLiteral("v4_8.bmp"), Bmp(s, Indices(15, 256)));
    s.header = Header::V5;
    s.bitCount = 24;
    s.palette.clear();
    Write(target, QStringLiteral("v5_24.bmp"), Bmp(s, rgb));

    // RLE8: a run, an absolute run, a delta, line ends and the end mark.
    s.header = Header::Info;
    s.bitCount = 8;
    s.compression = BiRle8;
    s.palette = gray;
    const QByteArray rle8("\x02\x01\x00\x03\x02\x03\x01\x00\x00\x00\x00\x02\x01\x01\x02\x02"
                          "\x00\x01",
                          18);
    Write(target, QStringLiteral("rle8.bmp"), Build(s, rle8));
    s.bitCount = 4;
    s.compression = BiRle4;
    const QByteArray rle4("\x05\x12\x00\x00\x00\x04\x31\x20\x00\x00\x03\x03\x00\x01", 14);
    Write(target, QStringLiteral("rle4.bmp"), Build(s, rle4));
}

void CompressedSeeds() {
    const char* const target = "fuzz_compressed_skin";
    TSkinFixture small = SmallSkin();
    TbsCompressedStoredSkin compressed;
    compressed.LoadFromSkinFile(small.Write());
    const QByteArray stream = compressed.CompressedStream().Data();
    Write(target, QStringLiteral("stream_small"), QByteArray(1, '\0') + stream);

    TMemoryStream payload;
    compressed.Unpack(payload);
    Write(target, QStringLiteral("payload_small"), QByteArray(1, '\1') + payload.Data());

    // A payload without pictures, and one of another version.
    TMemoryStream bare;
    bare.WriteInt32(1);
    for (int i = 0; i < 3; ++i)
        bare.WriteByte(1);
    bare.WriteInt32(0);
    const QByteArray ini = IniText(small);
    bare.WriteBuffer(ini.constData(), ini.size());
    Write(target, QStringLiteral("payload_bare"), QByteArray(1, '\1') + bare.Data());
    QByteArray version2 = bare.Data();
    version2[0] = 2;
    Write(target, QStringLiteral("payload_version2"), QByteArray(1, '\1') + version2);

    // The compressed skin file form.
    const QString file = QDir(small.Folder).filePath(QStringLiteral("small.skn"));
    compressed.SaveToCompressedFile(file);
    QFile packed(file);
    packed.open(QIODevice::ReadOnly);
    Write(target, QStringLiteral("file_small"), QByteArray(1, '\2') + packed.readAll());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_make_seeds OUTPUT_DIR\n");
        return 2;
    }
    gOutput = QString::fromLocal8Bit(argv[1]);
    SkinIniSeeds();
    BmpSeeds();
    CompressedSeeds();
    return 0;
}
