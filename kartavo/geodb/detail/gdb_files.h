// The file set of a database and the few whole-file and positioned
// operations the database needs on top of fw::TFileStream.
#pragma once

#include "kartavo/framework/stream.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kartavo {

inline constexpr std::string_view kSummarySuffix = ".orvgds";
inline constexpr std::string_view kDataSuffix = ".orvgdd";
inline constexpr std::string_view kIndexSuffix = ".orvgi"; // followed by the digit 0..4

// The seven file names sharing one base name (a path without extension).
struct TGdbFileNames {
  std::string Summary;
  std::string Data;
  std::array<std::string, 5> Index; // position i: the file ending in digit i

  static TGdbFileNames FromBase(const std::string& Base);
  // The base name of a database name: the name with its extension removed.
  static std::string BaseOf(const std::string& DBName);
};

// True when the file exists; raises EInOutError when it cannot be told.
bool GdbFileExists(const std::string& Path);
// Creates the file empty unless it exists; an existing file is never truncated.
void GdbEnsureFile(const std::string& Path);
// The whole content of a file.
std::vector<uint8_t> GdbReadFile(const std::string& Path);
// Replaces the content of a file by Bytes (created when missing).
void GdbWriteFile(const std::string& Path, std::span<const uint8_t> Bytes);
// Writes Bytes at Offset of an existing file.
void GdbWriteAt(const std::string& Path, int64_t Offset, std::span<const uint8_t> Bytes);
// Reads up to Count bytes at Offset; returns how many were read.
int64_t GdbReadAt(fw::TFileStream& File, int64_t Offset, void* Buffer, int64_t Count);
// Raises EInOutError naming the file: it ends before the bytes an entry refers to.
[[noreturn]] void GdbRaiseTruncated(const std::string& Path, const std::string& What);

} // namespace kartavo
