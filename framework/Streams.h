#pragma once
// Byte streams: an abstract TStream with position and size, an in-memory stream and a
// file stream. Reading past the end reads less; ReadBuffer/WriteBuffer raise instead.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdio>

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    virtual ~TStream() = default;
    // Reads up to `count` bytes; returns how many were read.
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    // Writes up to `count` bytes; returns how many were written.
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    // Moves the position; returns the new position.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

    virtual int64_t Size();
    virtual void SetSize(int64_t newSize);
    int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(int64_t pos) { Seek(pos, TSeekOrigin::soBeginning); }

    // Read or write exactly `count` bytes or raise EReadError / EWriteError.
    void ReadBuffer(void* buffer, int64_t count);
    void WriteBuffer(const void* buffer, int64_t count);
    // Copies `count` bytes from `source` (all of it from its start when count is 0).
    int64_t CopyFrom(TStream& source, int64_t count);

    // Little-endian helpers for the binary formats of skins.
    int32_t ReadInt32();
    uint8_t ReadByte();
    void WriteInt32(int32_t value);
    void WriteByte(uint8_t value);
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(QByteArray data) : FData(std::move(data)) {}

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return FData.size(); }
    void SetSize(int64_t newSize) override;

    void Clear();
    const QByteArray& Data() const { return FData; }
    const char* Memory() const { return FData.constData(); }
    void LoadFromStream(TStream& stream);
    void LoadFromFile(const QString& fileName);
    void SaveToStream(TStream& stream);
    void SaveToFile(const QString& fileName);

private:
    QByteArray FData;
    int64_t FPosition = 0;
};

enum class TFileMode { fmOpenRead, fmOpenWrite, fmOpenReadWrite, fmCreate };

class TFileStream : public TStream {
public:
    // fmCreate creates or truncates; the others open an existing file. Failures raise
    // EFOpenError or EFCreateError with the system's error text.
    TFileStream(const QString& fileName, TFileMode mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t newSize) override;
    const QString& FileName() const { return FFileName; }

private:
    QString FFileName;
    int FHandle = -1;
};
