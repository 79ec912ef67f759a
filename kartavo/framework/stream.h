// Byte streams: an abstract stream, one in memory and one on a file.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/framework/object.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace fw {

enum TSeekOrigin : uint8_t { soBeginning, soCurrent, soEnd };

class KARTAVO_API TStream : public TObject {
public:
  // Reads up to Count bytes; returns how many were read (0 at the end).
  virtual int64_t Read(void* Buffer, int64_t Count) = 0;
  // Writes Count bytes; returns how many were written.
  virtual int64_t Write(const void* Buffer, int64_t Count) = 0;
  // Moves the position and returns the new one.
  virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;
  virtual int64_t Size();
  virtual void SetSize(int64_t NewSize) = 0;

  int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(int64_t Pos) { Seek(Pos, soBeginning); }
  // Read or write exactly Count bytes or raise EStreamError.
  void ReadBuffer(void* Buffer, int64_t Count);
  void WriteBuffer(const void* Buffer, int64_t Count);
  // Copies Count bytes from Source at its position (all of Source from its
  // start when Count is 0); returns the number copied.
  int64_t CopyFrom(TStream& Source, int64_t Count);
};

class KARTAVO_API TMemoryStream : public TStream {
public:
  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t Size() override { return static_cast<int64_t>(FData.size()); }
  void SetSize(int64_t NewSize) override;

  void Clear();
  uint8_t* Memory() { return FData.data(); }
  const uint8_t* Memory() const { return FData.data(); }
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName) const;
  void LoadFromStream(TStream& Stream);
  void SaveToStream(TStream& Stream) const;

private:
  std::vector<uint8_t> FData;
  int64_t FPosition = 0;
};

// Open modes of a file stream.
enum TFileMode : uint8_t { fmCreate, fmOpenRead, fmOpenWrite, fmOpenReadWrite };

class KARTAVO_API TFileStream : public TStream {
public:
  // Raises EInOutError naming the file when it cannot be opened or created.
  TFileStream(const std::string& FileName, TFileMode Mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t Size() override;
  void SetSize(int64_t NewSize) override;
  // Pushes written bytes to the operating system and the disk.
  void Flush();
  const std::string& FileName() const { return FFileName; }

private:
  int FHandle = -1;
  std::string FFileName;
};

} // namespace fw
