// quillon: the suite's base library as the package calls it. Exceptions,
// bit fields, file-name helpers, the mark-up tag reader shared by every XML
// reader, the numeric-loop progress protocol and the base types and events.
#pragma once

#include "kartavo/framework/color.h"
#include "kartavo/framework/export.h"
#include "kartavo/framework/object.h"

#include <cfloat>
#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace fw {
class TStream;
class TTextFile;
} // namespace fw

namespace quillon {

// The suite's exception; the module exception classes derive from it.
class KARTAVO_API EORVError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// A field of bits 1..n.
class KARTAVO_API TBitFld {
public:
  void SetSize(int n);
  int Size() const { return FSize; }
  void Clear();
  // Indexes outside 1..Size are ignored by SetBit and read as false by GetBit.
  void SetBit(int Index, bool Value);
  bool GetBit(int Index) const;

private:
  int FSize = 0;
  std::vector<uint64_t> FWords;
};

// The path without its extension (from the last '.' of the file name part);
// unchanged when the file name has none. A dot that opens the file name
// (".profile") starts no extension. Both '/' and '\' separate folders.
KARTAVO_API std::string StripExtension(const std::string& Path);
// The file name part of a path (after the last '/' or '\').
KARTAVO_API std::string StripPath(const std::string& Path);
// The text with only the characters a short (8.3) file name part may hold:
// ASCII letters, digits and ! # $ % & ' ( ) - @ ^ _ ` { } ~. Everything else,
// the dot, blanks, path separators and non-ASCII characters included, is
// removed; the length is not cut.
KARTAVO_API std::string ReduceStringToFN83CompliantChars(const std::string& Text);

// Position of Text in List[0..HighIx] counted from 1, 0 when absent. The
// comparison is exact (letter case counts); HighIx beyond the list is cut.
KARTAVO_API int StringIx(std::string_view Text, std::span<const std::string_view> List, int HighIx);

// Read on to the next mark-up tag whose name is in Tags[0..HighIx] and return
// its index counted from 0. Attributes receives the attribute text of the
// opening tag, Contents the text up to the matching closing tag (across
// lines). Returns HighIx when no further tag can be read. The mark-up syntax,
// the treatment of line breaks and the limits against hostile input are
// described with the reader (companion/detail/tag_reader.h).
KARTAVO_API int ReadNextTagInTextFile(fw::TTextFile& F, std::span<const std::string_view> Tags,
                                      int HighIx, std::string& Attributes, std::string& Contents);
KARTAVO_API int ReadNextTagInStream(fw::TStream& S, std::span<const std::string_view> Tags,
                                    int HighIx, std::string& Attributes, std::string& Contents);

// Writes Text and a line break (CR LF) to the stream at its position;
// raises EStreamError when the stream takes fewer bytes.
KARTAVO_API void WriteLnStream(fw::TStream& S, const std::string& Text);

constexpr double uc_MinDouble = DBL_MIN;
constexpr double uc_MaxDouble = DBL_MAX;

// Progress protocol of long numeric loops: each outer step adds 1 to
// ProcStat and calls MathFeedBackProc (when set) with the new value; a loop
// stops with failure when AbortMathProc is true.
extern KARTAVO_API double ProcStat;
extern KARTAVO_API std::function<void(double)> MathFeedBackProc;
extern KARTAVO_API bool AbortMathProc;

// West longitude, north latitude, east longitude, south latitude.
struct TRectDouble {
  double West = 0;
  double North = 0;
  double East = 0;
  double South = 0;
};

struct TColoredPoint {
  double X = 0;
  double Y = 0;
  uint16_t Flags = 0;
  fw::TColor Color = 0;
  friend bool operator==(const TColoredPoint&, const TColoredPoint&) = default;
};

enum TVerticalAlignment : uint8_t { vaTop = 0, vaCenter = 1, vaBottom = 2 };

enum TFrameStyle : uint8_t {
  fsNone = 0,
  fsSingle = 1,
  fsLowered = 2,
  fsRaised = 3,
  fsDoubleLowered = 4,
  fsDoubleRaised = 5
};
enum TDegreeFormat : uint8_t { dfDecimal = 0, dfDegMin = 1, dfDegMinSec = 2 };
enum TLanguage : uint8_t { lanEnglish = 0, lanGerman = 1 };
enum TMouseActMode : uint8_t {
  maNone = 0,
  maPan = 1,
  maPanHorz = 2,
  maPanVert = 3,
  maReserved4 = 4,
  maRubberBand = 5,
  maReserved6 = 6,
  maZoomBox = 7,
  maReserved8 = 8,
  maZoomDrag = 9,
  maReserved10 = 10,
  maReserved11 = 11,
  maReserved12 = 12,
  maReserved13 = 13,
  maReserved14 = 14,
  maReserved15 = 15,
  maSelectRect = 16,
  maMouseTrace = 17
};
enum TZoomState : uint8_t { zsIdle = 0, zsZoomBox = 1 };
enum TMouseBoxState : uint8_t { mbsIdle = 0, mbsWaiting = 1, mbsDragging = 2, mbsCompleted = 3 };

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

using TZoomPanEvent = std::function<void(fw::TObject* Sender)>;
using TSelectRectEvent =
    std::function<void(fw::TObject* Sender, bool Flag, double A, double B, double C, double D)>;
using TOnRubberBandActionEvent = std::function<void(fw::TObject* Sender, TPoint MapImagePoint)>;
using TOnPercentDoneEvent = std::function<void(fw::TObject* Sender, int Percent)>;

} // namespace quillon
