// The zlib stream wrappers.

#include "skin/bszlibcompress.h"

#include "framework/Exceptions.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <zlib.h>

namespace {

QByteArray Sample(int size) {
    QByteArray data(size, '\0');
    QRandomGenerator random(42);
    for (int i = 0; i < size; ++i)
        data[i] = char(i % 97 < 60 ? 'a' + i % 7 : random.bounded(256));
    return data;
}

QByteArray Compress(const QByteArray& data, TCompressionLevel level = TCompressionLevel::clMax) {
    TMemoryStream packed;
    TCompressionStream compressor(level, packed);
    // In uneven pieces, so buffer boundaries fall everywhere.
    for (qsizetype at = 0; at < data.size(); at += 1000)
        compressor.WriteBuffer(data.constData() + at, std::min<qsizetype>(1000, data.size() - at));
    compressor.Finish();
    return packed.Data();
}

QByteArray ReadAll(TDecompressionStream& stream, int chunk) {
    QByteArray out;
    QByteArray buffer(chunk, '\0');
    for (;;) {
        int64_t n = stream.Read(buffer.data(), chunk);
        if (n == 0)
            break;
        out.append(buffer.constData(), n);
    }
    return out;
}

template <class E> QString ErrorText(const std::function<void()>& action) {
    try {
        action();
    } catch (const E& e) {
        return e.Message();
    }
    return "no error";
}

} // namespace

TEST(ZlibStreams, RoundTripAtEveryLevel) {
    const QByteArray data = Sample(100000);
    for (auto level : {TCompressionLevel::clNone, TCompressionLevel::clFastest,
                       TCompressionLevel::clDefault, TCompressionLevel::clMax}) {
        const QByteArray packed = Compress(data, level);
        // What zlib itself reads back.
        QByteArray check(data.size(), '\0');
        uLongf length = check.size();
        ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(check.data()), &length,
                             reinterpret_cast<const Bytef*>(packed.constData()), packed.size()),
                  Z_OK);
        EXPECT_EQ(check, data);
        for (int chunk : {1, 4096, 70000}) {
            TMemoryStream source(packed);
            TDecompressionStream decompressor(source);
            EXPECT_EQ(ReadAll(decompressor, chunk), data);
        }
    }
    EXPECT_EQ(uint8_t(Compress(data)[1]), 0xDA);
}

TEST(ZlibStreams, CompressionStreamOperations) {
    TMemoryStream packed;
    int progress = 0;
    {
        TCompressionStream compressor(TCompressionLevel::clNone, packed);
        compressor.OnProgress = [&](TCustomZlibStream&) { ++progress; };
        const QByteArray data = Sample(20000);
        compressor.WriteBuffer(data.constData(), data.size());
        EXPECT_EQ(compressor.Position(), 20000);
        char c;
        EXPECT_EQ(ErrorText<ECompressionError>([&] { compressor.Read(&c, 1); }),
                  "Invalid stream operation");
        EXPECT_EQ(ErrorText<ECompressionError>([&] { compressor.Seek(1, TSeekOrigin::soCurrent); }),
                  "Invalid stream operation");
        EXPECT_EQ(
            ErrorText<ECompressionError>([&] { compressor.Seek(0, TSeekOrigin::soBeginning); }),
            "Invalid stream operation");
        // Someone else moving the destination does not scramble the output.
        packed.SetPosition(0);
    } // finished by the destructor
    EXPECT_GE(progress, 4);
    TMemoryStream source(packed.Data());
    TDecompressionStream decompressor(source);
    EXPECT_EQ(ReadAll(decompressor, 4096), Sample(20000));
}

TEST(ZlibStreams, DecompressionStreamSeeks) {
    const QByteArray data = Sample(30000);
    // The compressed data starts after a header in the source stream.
    TMemoryStream source(QByteArray("HEADER") + Compress(data));
    source.SetPosition(6);
    TDecompressionStream stream(source);
    char buffer[100];
    EXPECT_EQ(stream.Seek(10000, TSeekOrigin::soCurrent), 10000);
    ASSERT_EQ(stream.Read(buffer, 100), 100);
    EXPECT_EQ(QByteArray(buffer, 100), data.mid(10000, 100));
    EXPECT_EQ(stream.Seek(20000, TSeekOrigin::soBeginning), 20000);
    EXPECT_EQ(stream.Position(), 20000);
    ASSERT_EQ(stream.Read(buffer, 100), 100);
    EXPECT_EQ(QByteArray(buffer, 100), data.mid(20000, 100));

    // Back to the start restarts at the wrapper's first source position.
    EXPECT_EQ(stream.Seek(0, TSeekOrigin::soBeginning), 0);
    ASSERT_EQ(stream.Read(buffer, 100), 100);
    EXPECT_EQ(QByteArray(buffer, 100), data.left(100));

    for (auto bad : {std::pair{int64_t(-1), TSeekOrigin::soCurrent},
                     std::pair{int64_t(50), TSeekOrigin::soBeginning},
                     std::pair{int64_t(0), TSeekOrigin::soEnd}}) {
        EXPECT_EQ(ErrorText<EDecompressionError>([&] { stream.Seek(bad.first, bad.second); }),
                  "Invalid stream operation");
    }
    EXPECT_EQ(ErrorText<EDecompressionError>([&] { stream.Write(buffer, 1); }),
              "Invalid stream operation");
    // Past the end: the data runs out.
    EXPECT_THROW(stream.Seek(40000, TSeekOrigin::soBeginning), EReadError);
}

TEST(ZlibStreams, DamagedAndUnusualInput) {
    const QByteArray packed = Compress(Sample(10000));
    char buffer[4096];

    // Bytes after the end of the deflate data are not read as more data, and never hang.
    TMemoryStream trailing(packed + QByteArray(10000, 'z'));
    TDecompressionStream afterEnd(trailing);
    EXPECT_EQ(ReadAll(afterEnd, 3000), Sample(10000));

    // Cut short: what could be inflated, then 0.
    TMemoryStream cut(packed.left(packed.size() / 2));
    TDecompressionStream shortStream(cut);
    const QByteArray partial = ReadAll(shortStream, 4096);
    EXPECT_LT(partial.size(), 10000);
    EXPECT_EQ(partial, Sample(10000).left(partial.size()));

    // Not zlib data, or a stream that needs a preset dictionary.
    for (QByteArray bad :
         {QByteArray("this is not zlib at all"), QByteArray::fromHex("78bb00000001"), packed}) {
        if (bad == packed)
            bad[bad.size() - 2] = char(bad[bad.size() - 2] ^ 0xFF); // broken checksum
        TMemoryStream source(bad);
        TDecompressionStream stream(source);
        EXPECT_EQ(ErrorText<EDecompressionError>([&] { ReadAll(stream, sizeof buffer); }),
                  "compression error");
    }

    TMemoryStream empty;
    TDecompressionStream nothing(empty);
    EXPECT_EQ(nothing.Read(buffer, sizeof buffer), 0);
}
