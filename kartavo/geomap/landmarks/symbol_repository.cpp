#include "kartavo/geomap/landmarks/symbol_repository.h"
#include "kartavo/geomap/landmarks/xml_section.h"

#include "kartavo/framework/text_file.h"

namespace kartavo {
namespace {
constexpr int kBlock = 1000;
}

TSymbol DefaultSymbolRecord() {
  TSymbol s;
  s.Properties.Kind = lmCross;
  s.Properties.Size = 8;
  s.Properties.FGColor = 0;
  s.Properties.BGColor = 0x0000FF;
  s.Properties.Transparent = false;
  s.Properties.Direction = 90;
  s.Properties.Length = 40;
  return s;
}

TSymbolRepository::TSymbolRepository(fw::TComponent* AOwner) : fw::TComponent(AOwner) {
  FSymbols.resize(kBlock);
}

void TSymbolRepository::SetNEntries(int n) {
  if (n < 0) return;
  FSymbols.resize(static_cast<size_t>(n));
  FNEntries = n;
}

TSymbol TSymbolRepository::GetValues(int ix) const {
  if (ix < 1 || ix > FNEntries) return DefaultSymbolRecord();
  return FSymbols[static_cast<size_t>(ix - 1)];
}

void TSymbolRepository::SetValues(int ix, const TSymbol& Value) {
  if (ix < 1 || ix > FNEntries) return;
  FSymbols[static_cast<size_t>(ix - 1)] = Value;
}

void TSymbolRepository::Clear() { std::fill_n(FSymbols.begin(), FNEntries, DefaultSymbolRecord()); }

void TSymbolRepository::Backup() {
  FSymbolsBak.assign(FSymbols.begin(), FSymbols.begin() + FNEntries);
  FNEntriesBak = FNEntries;
}

void TSymbolRepository::Restore() {
  FSymbols = FSymbolsBak;
  FSymbols.resize(static_cast<size_t>(FNEntriesBak));
  FNEntries = FNEntriesBak;
}

void TSymbolRepository::Append(const TSymbol& Symbol) {
  const int n = FNEntries + 1;
  if (n > kBlock && n % kBlock == 1) FSymbols.resize(static_cast<size_t>(n) + kBlock);
  if (static_cast<size_t>(n) > FSymbols.size()) FSymbols.resize(static_cast<size_t>(n));
  FSymbols[static_cast<size_t>(n - 1)] = Symbol;
  FNEntries = n;
}

void TSymbolRepository::Assign(const fw::TPersistent* Source) {
  if (auto* src = dynamic_cast<const TSymbolRepository*>(Source)) {
    if (src == this) return;
    FSymbols = src->FSymbols;
    FSymbolsBak = src->FSymbolsBak;
    FNEntries = src->FNEntries;
    FNEntriesBak = src->FNEntriesBak;
    return;
  }
  fw::TComponent::Assign(Source);
}

void TSymbolRepository::AssignTo(fw::TPersistent* Dest) const {
  if (auto* dest = dynamic_cast<TSymbolRepository*>(Dest)) {
    dest->Assign(this);
    return;
  }
  fw::TComponent::AssignTo(Dest);
}

bool TSymbolRepository::LoadFromFile(const std::string& FName, const std::string& DataID) {
  fw::TTextFile f;
  if (!TryOpenForReading(f, FName)) return false;
  const bool ok = ReadFromOpenXMLFile(f, DataID);
  f.Close();
  return ok;
}

} // namespace kartavo
