// TSymbolRepository: a numbered list of named landmark symbols with one
// backup copy of the whole list, stored in and read from a small XML file.
// Hosts use it to offer a palette of symbols; a symbol's Properties go to
// AddLandMark or DrawLandMarkSymbolOnCanvas.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/framework/object.h"
#include "kartavo/framework/short_string.h"
#include "kartavo/geomap/landmark_records.h"
#include "kartavo/geomap/landmarks/element_names.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fw {
class TTextFile;
}

namespace kartavo {

struct TSymbol {
  TSymbolProperties Properties;
  fw::ShortString<40> Name;
  int32_t Category = 0; // host-defined grouping
  friend bool operator==(const TSymbol&, const TSymbol&) = default;
};

// A black cross of half-size 8 on red, direction 90, length 40, no name.
KARTAVO_API TSymbol DefaultSymbolRecord();

// The attributes of a symbol element, in the order they are written.
inline constexpr std::array<std::string_view, 9> SymbolAttributeNames = {
    "element", "name", "category", "colorfg", "colorbg", "size", "transp", "dir", "leng"};

// The element line of one symbol.
KARTAVO_API std::string SymbolElementLine(const TSymbol& Symbol);
// The symbol of one "symbol" element's attribute text; a missing attribute
// reads as an empty value (0, empty, false, lmCross).
KARTAVO_API TSymbol SymbolFromAttributes(std::string_view Attributes);

class KARTAVO_API TSymbolRepository : public fw::TComponent {
public:
  explicit TSymbolRepository(fw::TComponent* AOwner);

  int NumEntries() const { return FNEntries; }
  // The count becomes n and the list holds exactly n entries; entries added
  // are all-zero records. Negative n is ignored.
  void SetNEntries(int n);
  // Entry ix (from 1); the default symbol outside 1..NumEntries.
  TSymbol GetValues(int ix) const;
  // Replaces entry ix; ignored outside 1..NumEntries.
  void SetValues(int ix, const TSymbol& Value);
  TSymbol Symbols(int ix) const { return GetValues(ix); }

  // Every entry becomes the default symbol; the count stays.
  void Clear();
  void Backup();
  // The backup becomes the current list again; the backup stays.
  void Restore();

  // Creates or overwrites FName with the list; raises fw::EInOutError.
  void StoreOnFile(const std::string& FName, const std::string& DataID) const;
  // False when the file cannot be opened or holds no matching section.
  bool LoadFromFile(const std::string& FName, const std::string& DataID);
  bool ReadFromOpenXMLFile(fw::TTextFile& F, const std::string& DataID);

  void Assign(const fw::TPersistent* Source) override;

protected:
  void AssignTo(fw::TPersistent* Dest) const override;

private:
  void Append(const TSymbol& Symbol);

  std::vector<TSymbol> FSymbols; // room for the entries; entry ix is element ix - 1
  std::vector<TSymbol> FSymbolsBak;
  int32_t FNEntries = 0;
  int32_t FNEntriesBak = 0;
};

} // namespace kartavo
