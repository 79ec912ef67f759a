#include "kartavo/framework/text_file.h"

#include "kartavo/framework/errors.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace fw {
namespace {
constexpr size_t kBufferSize = 64 * 1024;
}

TTextFile::~TTextFile() {
  try {
    Close();
  } catch (...) {
    // A destructor cannot report a failed final write; Close() reports it when called.
  }
}

void TTextFile::Open(const std::string& FileName, int flags, bool reading) {
  Close();
  int h = ::open(FileName.c_str(), flags | O_CLOEXEC, 0644);
  if (h < 0) {
    int err = errno;
    throw EInOutError::FromErrno(err, FileName,
                                 reading ? "Cannot open file" : "Cannot create file");
  }
  FHandle = h;
  FReading = reading;
  FFileName = FileName;
  FBuffer.assign(kBufferSize, 0);
  FPos = FEnd = 0;
}

void TTextFile::Reset(const std::string& FileName) { Open(FileName, O_RDONLY, true); }
void TTextFile::Rewrite(const std::string& FileName) {
  Open(FileName, O_WRONLY | O_CREAT | O_TRUNC, false);
}
void TTextFile::Append(const std::string& FileName) {
  Open(FileName, O_WRONLY | O_CREAT | O_APPEND, false);
}

void TTextFile::Close() {
  if (FHandle < 0) return;
  int h = FHandle;
  if (!FReading) {
    try {
      Flush();
    } catch (...) {
      ::close(h);
      FHandle = -1;
      throw;
    }
  }
  FHandle = -1;
  if (::close(h) != 0 && !FReading)
    throw EInOutError::FromErrno(errno, FFileName, "Cannot close file");
}

void TTextFile::CheckMode(bool reading) const {
  if (FHandle < 0 || FReading != reading)
    throw EInOutError(EBADF, FFileName,
                      std::string("File not open for ") + (reading ? "input" : "output") +
                          (FFileName.empty() ? "" : " \"" + FFileName + "\""));
}

bool TTextFile::Fill() {
  if (FPos < FEnd) return true;
  for (;;) {
    ssize_t n = ::read(FHandle, FBuffer.data(), FBuffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw EInOutError::FromErrno(errno, FFileName, "Cannot read file");
    FPos = 0;
    FEnd = static_cast<size_t>(n);
    return n > 0;
  }
}

bool TTextFile::Eof() {
  CheckMode(true);
  return !Fill();
}

bool TTextFile::ReadCharRefill(char& C) {
  CheckMode(true);
  if (!Fill()) return false;
  C = FBuffer[FPos++];
  return true;
}

bool TTextFile::ReadLn(std::string& Line) {
  CheckMode(true);
  Line.clear();
  if (!Fill()) return false;
  while (Fill()) {
    size_t start = FPos;
    while (FPos < FEnd && FBuffer[FPos] != '\n' && FBuffer[FPos] != '\r')
      ++FPos;
    Line.append(FBuffer.data() + start, FPos - start);
    if (FPos < FEnd) {
      char brk = FBuffer[FPos++];
      if (brk == '\r' && Fill() && FBuffer[FPos] == '\n') ++FPos;
      return true;
    }
  }
  return true;
}

void TTextFile::Write(const std::string& Text) {
  CheckMode(false);
  for (size_t i = 0; i < Text.size();) {
    if (FEnd == FBuffer.size()) Flush();
    size_t n = std::min(Text.size() - i, FBuffer.size() - FEnd);
    std::copy_n(Text.data() + i, n, FBuffer.data() + FEnd);
    FEnd += n;
    i += n;
  }
}

void TTextFile::WriteLn(const std::string& Text) {
  Write(Text);
  Write("\r\n");
}

void TTextFile::Flush() {
  CheckMode(false);
  size_t done = 0;
  while (done < FEnd) {
    ssize_t n = ::write(FHandle, FBuffer.data() + done, FEnd - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      FEnd = 0;
      throw EInOutError::FromErrno(errno, FFileName, "Cannot write file");
    }
    done += static_cast<size_t>(n);
  }
  FEnd = 0;
}

} // namespace fw
