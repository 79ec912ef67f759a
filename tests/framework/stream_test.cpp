#include "kartavo/framework/errors.h"
#include "kartavo/framework/stream.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <numeric>
#include <unistd.h>

namespace {

std::string TempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() /
          ("kartavo_" + std::to_string(::getpid()) + "_" + name))
      .string();
}

std::string Contents(fw::TMemoryStream& s) {
  return {reinterpret_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size())};
}

TEST(MemoryStream, WritesReadsAndSeeks) {
  fw::TMemoryStream s;
  s.WriteBuffer("hello world", 11);
  EXPECT_EQ(s.Size(), 11);
  EXPECT_EQ(s.Position(), 11);
  s.Seek(-5, fw::soEnd);
  char buf[8] = {};
  EXPECT_EQ(s.Read(buf, 8), 5);
  EXPECT_EQ(std::string(buf, 5), "world");
  EXPECT_EQ(s.Read(buf, 8), 0);
  s.SetPosition(20);
  s.WriteBuffer("!", 1);
  EXPECT_EQ(s.Size(), 21);
  EXPECT_EQ(s.Memory()[15], 0);
  s.SetSize(5);
  EXPECT_EQ(s.Position(), 5);
  EXPECT_EQ(Contents(s), "hello");
  s.Seek(-100, fw::soCurrent);
  EXPECT_EQ(s.Position(), 0);
}

TEST(MemoryStream, ShortReadOfABufferRaises) {
  fw::TMemoryStream s;
  s.WriteBuffer("abc", 3);
  s.SetPosition(1);
  char buf[4];
  EXPECT_THROW(s.ReadBuffer(buf, 3), fw::EStreamError);
  s.SetPosition(1);
  EXPECT_NO_THROW(s.ReadBuffer(buf, 2));
  EXPECT_NO_THROW(s.ReadBuffer(buf, 0));
}

TEST(Stream, CopyFromTakesCountBytesOrAllFromTheStart) {
  fw::TMemoryStream src, dst;
  std::string data(3'000'000, ' ');
  std::iota(data.begin(), data.end(), 'a');
  src.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
  src.SetPosition(10);
  EXPECT_EQ(dst.CopyFrom(src, 5), 5);
  EXPECT_EQ(Contents(dst), data.substr(10, 5));
  dst.Clear();
  EXPECT_EQ(dst.CopyFrom(src, 0), static_cast<int64_t>(data.size()));
  EXPECT_EQ(Contents(dst), data);
  src.SetPosition(static_cast<int64_t>(data.size()) - 2);
  EXPECT_THROW(dst.CopyFrom(src, 3), fw::EStreamError);
}

TEST(FileStream, RoundTripThroughAFile) {
  const auto path = TempPath("stream.bin");
  {
    fw::TFileStream f(path, fw::fmCreate);
    f.WriteBuffer("0123456789", 10);
    f.Seek(2, fw::soBeginning);
    f.WriteBuffer("xy", 2);
    EXPECT_EQ(f.Size(), 10);
  }
  fw::TMemoryStream m;
  m.LoadFromFile(path);
  EXPECT_EQ(Contents(m), "01xy456789");
  {
    fw::TFileStream f(path, fw::fmOpenReadWrite);
    f.SetSize(4);
    f.Seek(0, fw::soEnd);
    f.WriteBuffer("!", 1);
  }
  m.LoadFromFile(path);
  EXPECT_EQ(Contents(m), "01xy!");
  m.SaveToFile(path + "2");
  fw::TFileStream back(path + "2", fw::fmOpenRead);
  char buf[5];
  back.ReadBuffer(buf, 5);
  EXPECT_EQ(std::string(buf, 5), "01xy!");
  EXPECT_THROW(back.ReadBuffer(buf, 1), fw::EStreamError);
  std::filesystem::remove(path);
  std::filesystem::remove(path + "2");
}

TEST(FileStream, OpeningAMissingFileRaisesWithErrnoAndPath) {
  const auto path = TempPath("missing/none.bin");
  try {
    fw::TFileStream f(path, fw::fmOpenRead);
    FAIL() << "opened";
  } catch (const fw::EInOutError& e) {
    EXPECT_EQ(e.ErrorCode(), ENOENT);
    EXPECT_EQ(e.Path(), path);
    EXPECT_NE(std::string(e.what()).find(path), std::string::npos);
  }
  EXPECT_THROW(fw::TFileStream(path, fw::fmCreate), fw::EInOutError);
}

} // namespace
