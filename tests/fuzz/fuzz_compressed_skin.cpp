// The compressed-skin loader. The first input byte chooses how the rest is used:
//   0: the compressed stream itself ("CompressedData");
//   1: the uncompressed payload, packed here first, so the payload reader is reached
//      without the fuzzer having to produce valid deflate data;
//   2: a compressed skin file (version, size, stream), read from a file.

#include "FuzzSupport.h"

#include "skin/bsSkinData.h"
#include "skin/bszlibcompress.h"

#include "framework/Streams.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstddef>
#include <cstdint>

namespace {

QString TempFile() {
    static const QString path =
        QDir::tempPath() +
        QStringLiteral("/fuzz_compressed_skin-%1.skn").arg(QCoreApplication::applicationPid());
    return path;
}

void LoadCompressedData(TbsCompressedStoredSkin& compressed, const QByteArray& bytes) {
    TMemoryStream stream(bytes);
    compressed.ReadCompressedData(stream);
}

void LoadPayload(TbsCompressedStoredSkin& compressed, const QByteArray& payload) {
    TMemoryStream packed;
    {
        TCompressionStream compressor(TCompressionLevel::clMax, packed);
        compressor.WriteBuffer(payload.constData(), payload.size());
        compressor.Finish();
    }
    packed.SetPosition(0);
    compressed.ReadCompressedData(packed);
}

void LoadFile(TbsCompressedStoredSkin& compressed, const QByteArray& bytes) {
    QFile file(TempFile());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        Fuzz::Fail(QStringLiteral("cannot write %1").arg(TempFile()));
    file.write(bytes);
    file.close();
    compressed.LoadFromCompressedFile(TempFile());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    Fuzz::InitQt(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const QByteArray rest(reinterpret_cast<const char*>(data + 1),
                          static_cast<qsizetype>(size - 1));
    Fuzz::ExpectingErrors([&] {
        TbsCompressedStoredSkin compressed;
        switch (data[0] % 3) {
        case 0:
            LoadCompressedData(compressed, rest);
            break;
        case 1:
            LoadPayload(compressed, rest);
            break;
        default:
            LoadFile(compressed, rest);
            break;
        }
        TbsSkinData skin;
        skin.LoadCompressedStoredSkin(compressed);
        if (!skin.SkinEmpty)
            Fuzz::CheckRecordsRoundTrip(skin);
    });
    return 0;
}
