#include "kartavo/geomap/landmarks/element_names.h"

#include "kartavo/framework/detail/text_scan.h"

namespace kartavo {

namespace {
TLandMarkElement KindOf(std::string_view word, bool everyKind) {
  for (size_t i = 0; i < LMTypeNames.size(); ++i) {
    const auto kind = static_cast<TLandMarkElement>(i);
    const bool listed = everyKind || (kind != lmPlus && kind != lmUserDef);
    if (listed && fw::SameTextAscii(word, LMTypeNames[i])) return kind;
  }
  return lmCross;
}
} // namespace

TLandMarkElement ElementFromWord(std::string_view Word) { return KindOf(Word, false); }
TLandMarkElement SymbolElementFromWord(std::string_view Word) { return KindOf(Word, true); }

std::string_view ElementWord(TLandMarkElement Kind) {
  return Kind < LMTypeNames.size() ? LMTypeNames[Kind] : LMTypeNames[lmCross];
}

} // namespace kartavo
