// Line-oriented text files of single-byte characters. The writer ends every
// line with CR LF; the reader accepts CR LF, LF and a lone CR.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/framework/object.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

class KARTAVO_API TTextFile : public TObject {
public:
  TTextFile() = default;
  ~TTextFile() override;
  TTextFile(const TTextFile&) = delete;
  TTextFile& operator=(const TTextFile&) = delete;

  // Opens an existing file for reading; raises EInOutError naming the file.
  void Reset(const std::string& FileName);
  // Creates (or empties) a file for writing; raises EInOutError naming the file.
  void Rewrite(const std::string& FileName);
  // Opens a file for writing at its end, creating it when missing.
  void Append(const std::string& FileName);
  void Close();
  bool IsOpen() const { return FHandle >= 0; }
  bool IsReading() const { return FReading; }
  const std::string& FileName() const { return FFileName; }

  // Reads the next line without its line break; false at the end of the file.
  bool ReadLn(std::string& Line);
  // The characters read ahead from the file and not yet taken (may be
  // empty before the end of the file: ReadChar refills), and taking n of
  // them; readers that scan for a few special characters take the others
  // in bulk.
  std::string_view Ahead() const {
    if (FHandle < 0 || !FReading) return {};
    return {FBuffer.data() + FPos, FEnd - FPos};
  }
  void Take(size_t n) { FPos += std::min(n, FEnd - FPos); }
  // True when no further character can be read.
  bool Eof();
  // Reads one character; false at the end. Inline while the buffer holds
  // characters: the tag reader takes every character of a file through it.
  bool ReadChar(char& C) {
    if (FHandle < 0 || !FReading || FPos >= FEnd) return ReadCharRefill(C);
    C = FBuffer[FPos++];
    return true;
  }

  void Write(const std::string& Text);
  void WriteLn(const std::string& Text = std::string());
  // Pushes buffered text to the file.
  void Flush();

private:
  bool ReadCharRefill(char& C);
  void Open(const std::string& FileName, int flags, bool reading);
  bool Fill();
  void CheckMode(bool reading) const;

  int FHandle = -1;
  bool FReading = false;
  std::string FFileName;
  std::vector<char> FBuffer;
  size_t FPos = 0;
  size_t FEnd = 0;
};

} // namespace fw
