#include "skin/bszlibcompress.h"

#include <algorithm>
#include <climits>

namespace {

const QString InvalidStreamOperation = QStringLiteral("Invalid stream operation");

int CCheck(int code) {
    if (code < 0)
        throw ECompressionError(QStringLiteral("error"));
    return code;
}

int DCheck(int code) {
    // A stream that asks for a preset dictionary can never be inflated here; treat it
    // as damaged instead of waiting forever for progress.
    if (code < 0 || code == Z_NEED_DICT)
        throw EDecompressionError(QStringLiteral("compression error"));
    return code;
}

int ZlibLevel(TCompressionLevel level) {
    switch (level) {
    case TCompressionLevel::clNone:
        return Z_NO_COMPRESSION;
    case TCompressionLevel::clFastest:
        return Z_BEST_SPEED;
    case TCompressionLevel::clDefault:
        return Z_DEFAULT_COMPRESSION;
    case TCompressionLevel::clMax:
        return Z_BEST_COMPRESSION;
    }
    return Z_DEFAULT_COMPRESSION;
}

// zlib counts in 32-bit units; larger requests are handed over in pieces.
constexpr int64_t MaxChunk = UINT_MAX;

} // namespace

// ---- TCustomZlibStream

TCustomZlibStream::TCustomZlibStream(TStream& strm)
    : FStrm(strm), FStrmStartPos(strm.Position()), FStrmPos(FStrmStartPos) {}

void TCustomZlibStream::Progress() {
    if (OnProgress)
        OnProgress(*this);
}

void TCustomZlibStream::RestoreStreamPosition() {
    if (FStrm.Position() != FStrmPos)
        FStrm.SetPosition(FStrmPos);
}

// ---- TCompressionStream

TCompressionStream::TCompressionStream(TCompressionLevel compressionLevel, TStream& dest)
    : TCustomZlibStream(dest) {
    FZRec.next_out = FBuffer;
    FZRec.avail_out = BufferSize;
    CCheck(deflateInit(&FZRec, ZlibLevel(compressionLevel)));
}

TCompressionStream::~TCompressionStream() {
    try {
        Finish();
    } catch (const std::exception&) {
        // A destructor cannot report; callers that care call Finish first.
    }
    deflateEnd(&FZRec);
}

void TCompressionStream::FlushBuffer(int64_t count) {
    RestoreStreamPosition();
    FStrm.WriteBuffer(FBuffer, count);
    FStrmPos = FStrm.Position();
    FZRec.next_out = FBuffer;
    FZRec.avail_out = BufferSize;
}

void TCompressionStream::Finish() {
    if (FFinished)
        return;
    FFinished = true;
    FZRec.next_in = nullptr;
    FZRec.avail_in = 0;
    while (CCheck(deflate(&FZRec, Z_FINISH)) != Z_STREAM_END && FZRec.avail_out == 0) {
        FlushBuffer(BufferSize);
        Progress();
    }
    if (FZRec.avail_out < BufferSize)
        FlushBuffer(BufferSize - FZRec.avail_out);
}

int64_t TCompressionStream::Read(void*, int64_t) {
    throw ECompressionError(InvalidStreamOperation);
}

int64_t TCompressionStream::Write(const void* buffer, int64_t count) {
    if (FFinished)
        throw ECompressionError(InvalidStreamOperation);
    auto* next = static_cast<const unsigned char*>(buffer);
    int64_t left = std::max<int64_t>(count, 0);
    while (left > 0) {
        int64_t chunk = std::min(left, MaxChunk);
        FZRec.next_in = const_cast<unsigned char*>(next);
        FZRec.avail_in = static_cast<uInt>(chunk);
        while (FZRec.avail_in > 0) {
            CCheck(deflate(&FZRec, Z_NO_FLUSH));
            if (FZRec.avail_out == 0) {
                FlushBuffer(BufferSize);
                Progress();
            }
        }
        next += chunk;
        left -= chunk;
    }
    return count;
}

int64_t TCompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
    if (offset == 0 && origin == TSeekOrigin::soCurrent)
        return static_cast<int64_t>(FZRec.total_in);
    throw ECompressionError(InvalidStreamOperation);
}

double TCompressionStream::CompressionRate() const {
    if (FZRec.total_in == 0)
        return 0;
    return (1.0 - double(FZRec.total_out) / double(FZRec.total_in)) * 100.0;
}

// ---- TDecompressionStream

TDecompressionStream::TDecompressionStream(TStream& source) : TCustomZlibStream(source) {
    FZRec.next_in = FBuffer;
    FZRec.avail_in = 0;
    DCheck(inflateInit(&FZRec));
}

TDecompressionStream::~TDecompressionStream() {
    inflateEnd(&FZRec);
}

int64_t TDecompressionStream::Read(void* buffer, int64_t count) {
    if (count <= 0 || FEndOfData)
        return 0;
    auto* out = static_cast<unsigned char*>(buffer);
    int64_t produced = 0;
    RestoreStreamPosition();
    while (produced < count) {
        if (FZRec.avail_in == 0) {
            int64_t got = FStrm.Read(FBuffer, BufferSize);
            if (got <= 0)
                return produced;
            FZRec.next_in = FBuffer;
            FZRec.avail_in = static_cast<uInt>(got);
            FStrmPos = FStrm.Position();
            Progress();
        }
        int64_t chunk = std::min(count - produced, MaxChunk);
        FZRec.next_out = out + produced;
        FZRec.avail_out = static_cast<uInt>(chunk);
        int code = DCheck(inflate(&FZRec, Z_NO_FLUSH));
        produced += chunk - FZRec.avail_out;
        // Whatever follows the end of the deflate data is not part of it.
        if (code == Z_STREAM_END) {
            FEndOfData = true;
            break;
        }
    }
    return produced;
}

int64_t TDecompressionStream::Write(const void*, int64_t) {
    throw EDecompressionError(InvalidStreamOperation);
}

void TDecompressionStream::SkipBytes(int64_t count) {
    unsigned char buf[BufferSize];
    for (int64_t i = 0; i < count / BufferSize; ++i)
        ReadBuffer(buf, BufferSize);
    ReadBuffer(buf, count % BufferSize);
}

int64_t TDecompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
    const auto produced = static_cast<int64_t>(FZRec.total_out);
    if (offset == 0 && origin == TSeekOrigin::soBeginning) {
        DCheck(inflateReset(&FZRec));
        FZRec.next_in = FBuffer;
        FZRec.avail_in = 0;
        FEndOfData = false;
        FStrm.SetPosition(FStrmStartPos);
        FStrmPos = FStrmStartPos;
    } else if (origin == TSeekOrigin::soCurrent && offset >= 0) {
        SkipBytes(offset);
    } else if (origin == TSeekOrigin::soBeginning && offset >= produced) {
        SkipBytes(offset - produced);
    } else {
        throw EDecompressionError(InvalidStreamOperation);
    }
    return static_cast<int64_t>(FZRec.total_out);
}
