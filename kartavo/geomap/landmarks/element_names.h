// The words that name the landmark symbol kinds in landmark and symbol files.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/geomap/landmark_records.h"

#include <array>
#include <string_view>

namespace kartavo {

// The word written for each TLandMarkElement, by ordinal.
inline constexpr std::array<std::string_view, 10> LMTypeNames = {
    "Plus",    "Square",   "Triangle", "Circle", "ArrowFrom",
    "ArrowTo", "CrossBox", "Spade",    "Cross",  "User-Defined"};

// The kind a word of a landmark file names, in any letter case: "cross",
// "square", "triangle", "circle", "arrowfrom", "arrowto", "crossbox" and
// "spade". Landmark files have no word for lmPlus and lmUserDef: every other
// word ("Plus" and "User-Defined" included), and an empty one, gives lmCross.
KARTAVO_API TLandMarkElement ElementFromWord(std::string_view Word);

// The same for symbol files, whose reader also takes back the two words its
// writer uses for lmPlus and lmUserDef, so that every symbol reads back as
// the kind it was stored with.
KARTAVO_API TLandMarkElement SymbolElementFromWord(std::string_view Word);

// The word for a kind; a value outside the enumeration gives "Cross", the
// kind it would read back as.
KARTAVO_API std::string_view ElementWord(TLandMarkElement Kind);

} // namespace kartavo
