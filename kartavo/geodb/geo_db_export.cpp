// TGeoDB: a readable text dump of a database for inspection.
#include "kartavo/geodb/geo_db.h"

#include <cstdio>
#include <sstream>

namespace kartavo {
namespace {

std::string Num(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.7g", v);
  return buf;
}

void DumpEntry(std::ostringstream& out, int n, const TgdbData& d) {
  out << n << ": id " << d.ItemId << ", " << GDB_ITEMNAMES[d.ItemKind] << " \"" << d.Name.ToString()
      << "\", lat " << Num(d.LatLow) << ".." << Num(d.LatHigh) << ", long " << Num(d.LongLow)
      << ".." << Num(d.LongHigh) << ", altitude " << Num(d.Altitude) << ", class "
      << int{d.ClassFlag} << ", tag " << d.Tag << ", state " << d.StateFlag << ", date "
      << Num(d.Date) << ", offset " << d.BlobOffset;
  if (IsPolygonKind(d.ItemKind))
    out << ", points " << d.NumPoints << (d.Closed ? ", closed" : ", open");
  if (d.ItemKind == gitBLOB) out << ", size " << d.Size;
  out << "\r\n";
}

} // namespace

void TGeoDB::ExportDataDebug(const std::string& FName) {
  if (!IsOpen()) return;
  const std::string text = DebugText();
  fw::TFileStream f(FName, fw::fmCreate);
  f.Write(text.data(), static_cast<int64_t>(text.size()));
}

std::string TGeoDB::DebugText() {
  if (!IsOpen()) return {};
  std::ostringstream out;
  out << "Database " << DBName() << "\r\n"
      << "HighestID " << FSystemData.HighestID << ", DBVersion " << FSystemData.DBVersion
      << ", Revision " << FSystemData.Revision << ", Description \""
      << FSystemData.Description.ToString() << "\"\r\n"
      << "Entries " << FNumSumItems << "\r\n";
  for (int n = 1; n <= FNumSumItems; ++n)
    DumpEntry(out, n, FSumData[static_cast<size_t>(n - 1)]);
  MaterializeIndexes();
  out << "Index ItemID\r\n";
  for (int i = 0; i < FNumSumItems; ++i) {
    const TIxItemIDRec& r = FIx0ItemId[static_cast<size_t>(i)];
    out << i + 1 << ": " << r.ItemID << " -> " << r.index + 1 << "\r\n";
  }
  const std::pair<const char*, const TIxLLRecArray*> coord[] = {{"LatLow", &FIx1LatLo},
                                                                {"LatHigh", &FIx2LatHi},
                                                                {"LongLow", &FIx3LongLo},
                                                                {"LongHigh", &FIx4LongHi}};
  for (const auto& [title, index] : coord) {
    out << "Index " << title << "\r\n";
    for (int i = 0; i < FNumSumItems; ++i) {
      const TIxLLRec& r = (*index)[static_cast<size_t>(i)];
      out << i + 1 << ": " << Num(r.LLValue) << " -> " << r.index + 1 << "\r\n";
    }
  }
  return out.str();
}

} // namespace kartavo
