#pragma once
// Stream wrappers over zlib: a write-only compression stream that deflates into another
// stream and a read-only decompression stream that inflates from another stream.

#include "framework/Streams.h"
#include "platform/Errors.h"

#include <functional>
#include <zlib.h>

class EZlibError : public Exception {
public:
    using Exception::Exception;
};
class ECompressionError : public EZlibError {
public:
    using EZlibError::EZlibError;
};
class EDecompressionError : public EZlibError {
public:
    using EZlibError::EZlibError;
};

// Base of both wrappers: the other stream, its position when the wrapper was made, the
// zlib state and the buffer exchanged with the other stream.
class TCustomZlibStream : public TStream {
public:
    static constexpr int BufferSize = 4096;

    TCustomZlibStream(const TCustomZlibStream&) = delete;
    TCustomZlibStream& operator=(const TCustomZlibStream&) = delete;

    // Fired after each buffer exchanged with the other stream.
    std::function<void(TCustomZlibStream& Sender)> OnProgress;

protected:
    explicit TCustomZlibStream(TStream& strm);
    void Progress();
    // Puts the other stream back where this wrapper left it when someone moved it.
    void RestoreStreamPosition();

    TStream& FStrm;
    int64_t FStrmStartPos;
    int64_t FStrmPos;
    z_stream FZRec{};
    unsigned char FBuffer[BufferSize];
};

// The compression levels by index: none, fastest, zlib's default, maximum.
enum class TCompressionLevel { clNone, clFastest, clDefault, clMax };

class TCompressionStream : public TCustomZlibStream {
public:
    TCompressionStream(TCompressionLevel compressionLevel, TStream& dest);
    // Finishes the deflate stream when Finish was not called; errors are lost there, so
    // callers that need to know call Finish themselves.
    ~TCompressionStream() override;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    // Only a query of the current position: the number of bytes taken in.
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    // Flushes the rest of the deflate stream into the destination; later writes raise.
    void Finish();
    // Compressed size relative to the uncompressed size, in percent.
    double CompressionRate() const;

private:
    void FlushBuffer(int64_t count);
    bool FFinished = false;
};

class TDecompressionStream : public TCustomZlibStream {
public:
    explicit TDecompressionStream(TStream& source);
    ~TDecompressionStream() override;

    // Fills the request from the inflater; fewer bytes when the data ends.
    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    // Position 0 restarts; forward moves read and discard; answers the bytes produced.
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;

private:
    void SkipBytes(int64_t count);
    bool FEndOfData = false;
};
