// The landmark record and its parts: a point given by latitude and
// longitude, with a symbol, an optional caption, a class, an identifier and
// a time stamp.
#pragma once

#include "kartavo/companion/quillon.h"
#include "kartavo/framework/alignment.h"
#include "kartavo/framework/color.h"
#include "kartavo/framework/date_time.h"
#include "kartavo/framework/export.h"
#include "kartavo/framework/font_style.h"
#include "kartavo/framework/short_string.h"

#include <cstdint>
#include <string>

namespace kartavo {

enum TLandMarkElement : uint8_t {
  lmPlus = 0,
  lmSquare = 1,
  lmTriangle = 2,
  lmCircle = 3,
  lmArrowFrom = 4,
  lmArrowTo = 5,
  lmCrossBox = 6,
  lmSpade = 7,
  lmCross = 8,
  lmUserDef = 9
};

enum TLandMarkAction : uint8_t { lmaAdd = 0, lmaRemove = 1 };

using TLMIdentifier = fw::ShortString<15>;
using TLMText = fw::ShortString<80>;

// How the symbol looks.
struct TSymbolProperties {
  TLandMarkElement Kind = lmPlus;
  int32_t Size = 0; // half-size in pixels
  fw::TColor FGColor = 0;
  fw::TColor BGColor = 0;
  bool Transparent = false; // outline only: no fill and no halo
  int32_t Direction = 0;    // degrees clockwise from screen-up
  int32_t Length = 0;       // arrow shaft in pixels
  friend bool operator==(const TSymbolProperties&, const TSymbolProperties&) = default;
};

// The caption; an empty Text means no caption.
struct TLMTextProperties {
  TLMText Text;
  int32_t Size = 0; // points
  std::string FontName;
  fw::TFontStyles FontStyles;
  fw::TColor FGColor = 0;
  fw::TColor BGColor = 0;
  bool Transparent = false; // no text background
  int32_t dx = 0;           // anchor offset from the landmark's pixel
  int32_t dy = 0;           // down is positive
  int32_t Direction = 0;    // degrees counter-clockwise
  fw::TAlignment HAlignment = fw::taLeftJustify;
  quillon::TVerticalAlignment VAlignment = quillon::vaTop;
  friend bool operator==(const TLMTextProperties&, const TLMTextProperties&) = default;
};

struct TLandMark {
  double Latitude = 0;  // degrees, north positive
  double Longitude = 0; // degrees, east positive
  double Altitude = 0;  // stored and passed on only
  uint8_t ClassFlag = 0;
  int32_t Tag = 0;
  TSymbolProperties SymbolProps;
  TLMTextProperties Caption;
  TLMIdentifier Identifier;
  fw::TDateTime Time = 0;
  friend bool operator==(const TLandMark&, const TLandMark&) = default;
};

// The template a new map control starts with for new landmarks: a blue
// cross of half-size 7 on white, captions in 8-point "MS Sans Serif",
// centred 8 pixels below the point.
KARTAVO_API TLandMark DefaultLandMark();

} // namespace kartavo
