#include "kartavo/framework/errors.h"
#include "kartavo/framework/text_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

class TextFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    FPath = (std::filesystem::temp_directory_path() /
             ("kartavo_text_" + std::to_string(::getpid()) + ".txt"))
                .string();
  }
  void TearDown() override { std::filesystem::remove(FPath); }
  std::string Raw() {
    std::ifstream in(FPath, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  void WriteRaw(const std::string& text) { std::ofstream(FPath, std::ios::binary) << text; }
  std::vector<std::string> Lines() {
    fw::TTextFile f;
    f.Reset(FPath);
    std::vector<std::string> lines;
    std::string line;
    while (f.ReadLn(line))
      lines.push_back(line);
    return lines;
  }
  std::string FPath;
};

TEST_F(TextFileTest, WriterEndsLinesWithCrLfAndAppends) {
  fw::TTextFile f;
  f.Rewrite(FPath);
  f.WriteLn("first");
  f.Write("se");
  f.WriteLn("cond");
  f.WriteLn();
  f.Close();
  f.Append(FPath);
  f.WriteLn("more");
  f.Close();
  EXPECT_EQ(Raw(), "first\r\nsecond\r\n\r\nmore\r\n");
}

TEST_F(TextFileTest, ReaderAcceptsLfCrLfAndLoneCr) {
  WriteRaw("a\nb\r\nc\rd\r\n\r\ne");
  EXPECT_EQ(Lines(), (std::vector<std::string>{"a", "b", "c", "d", "", "e"}));
  WriteRaw("only\r\n");
  EXPECT_EQ(Lines(), (std::vector<std::string>{"only"}));
  WriteRaw("");
  EXPECT_TRUE(Lines().empty());
}

TEST_F(TextFileTest, LinesLongerThanTheBufferAndBreaksAcrossItsEdge) {
  const std::string longLine(200'000, 'q');
  // A CR LF pair split by the 64 KiB read buffer counts as one break.
  const std::string edge(65535, 'e');
  WriteRaw(longLine + "\r\n" + "x\r\n" + edge + "\r\n" + "z");
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], longLine);
  EXPECT_EQ(lines[2], edge);
  EXPECT_EQ(lines[3], "z");
}

TEST_F(TextFileTest, CharactersAndEndOfFile) {
  WriteRaw("ab");
  fw::TTextFile f;
  f.Reset(FPath);
  char c = 0;
  EXPECT_FALSE(f.Eof());
  EXPECT_TRUE(f.ReadChar(c));
  EXPECT_EQ(c, 'a');
  EXPECT_TRUE(f.ReadChar(c));
  EXPECT_TRUE(f.Eof());
  EXPECT_FALSE(f.ReadChar(c));
}

TEST_F(TextFileTest, FailuresRaiseWithErrnoAndPath) {
  fw::TTextFile f;
  const std::string missing = FPath + ".missing/x.txt";
  try {
    f.Reset(missing);
    FAIL() << "opened";
  } catch (const fw::EInOutError& e) {
    EXPECT_EQ(e.ErrorCode(), ENOENT);
    EXPECT_EQ(e.Path(), missing);
  }
  EXPECT_THROW(f.Rewrite(missing), fw::EInOutError);
  // Writing to a file opened for reading, and reading a closed file.
  WriteRaw("x");
  f.Reset(FPath);
  EXPECT_THROW(f.WriteLn("no"), fw::EInOutError);
  f.Close();
  std::string line;
  EXPECT_THROW(f.ReadLn(line), fw::EInOutError);
}

TEST_F(TextFileTest, FullDeviceIsReportedWhenWritten) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  fw::TTextFile f;
  f.Append("/dev/full");
  f.WriteLn("lost");
  try {
    f.Close();
    FAIL() << "no error";
  } catch (const fw::EInOutError& e) {
    EXPECT_EQ(e.ErrorCode(), ENOSPC);
    EXPECT_EQ(e.Path(), "/dev/full");
  }
}

} // namespace
