// GeoJSON into the database: the text is read and checked whole, then its
// features are added with the index files written once at the end, and the
// kept ids and properties go into one BLOB.
#include "kartavo/geodb/geo_json.h"

#include "kartavo/framework/errors.h"
#include "kartavo/framework/stream.h"
#include "kartavo/geodb/detail/gdb_progress.h"
#include "kartavo/geodb/detail/geojson_features.h"
#include "kartavo/geodb/geo_db.h"
#include "kartavo/package/exceptions.h"

#include <climits>
#include <filesystem>
#include <stdexcept>

namespace kartavo {
namespace {

constexpr int64_t kHeaderBytes = 260;
constexpr int64_t kMetaBytes = 1024;

[[noreturn]] void Raise(const TGeoDB& DB, const std::string& Text) {
  throw EORVGeoDBError(ComponentMessage(DB, "ImportGeoJSON: " + Text));
}

// Bulk loading: indexes written once at the end, no progress from the single
// additions; both settings come back however the import ends.
class TBulkLoad {
public:
  explicit TBulkLoad(TGeoDB& DB)
      : FDB(DB), FLazy(DB.LazyWrite()), FProgress(DB.OnPercDoneEnabled()) {
    DB.SetLazyWrite(true);
    DB.SetOnPercDoneEnabled(false);
  }
  ~TBulkLoad() {
    FDB.SetOnPercDoneEnabled(FProgress);
    try {
      FDB.SetLazyWrite(FLazy);
    } catch (...) {
      // Finish() reports the failure; a destructor must not throw.
    }
  }
  // Writes the deferred index files, raising on failure.
  void Finish() { FDB.SetLazyWrite(FLazy); }
  bool ProgressEnabled() const { return FProgress; }

private:
  TGeoDB& FDB;
  bool FLazy;
  bool FProgress;
};

int AddPart(TGeoDB& DB, const TParsedFeature& F, const TFeaturePart& P, fw::TDateTime Date,
            int32_t Group) {
  const TgdbName name(F.Name);
  const int32_t state = P.Hole ? 1 : 0;
  const float a = F.Altitude;
  const uint8_t c = F.ClassNumber;
  switch (P.Kind) {
  case gitTown:
    return DB.AddTown(name, Date, state, P.Points.front(), a, c, Group);
  case gitBorder:
    return DB.AddBorder(name, P.Points, P.Closed, Date, state, 0, 0, 0, 0, a, c, Group);
  case gitCity:
    return DB.AddCity(name, P.Points, P.Closed, Date, state, 0, 0, 0, 0, a, c, Group);
  case gitLake:
    return DB.AddLake(name, P.Points, Date, state, 0, 0, 0, 0, a, c, Group);
  case gitRiver:
    return DB.AddRiver(name, P.Points, Date, state, 0, 0, 0, 0, a, c, Group);
  case gitRoad:
    return DB.AddRoad(name, P.Points, Date, state, 0, 0, 0, 0, a, c, Group);
  case gitRoute:
    return DB.AddRoute(name, P.Points, Date, state, 0, 0, 0, 0, a, c, Group);
  default:
    throw std::logic_error("ImportGeoJSON: a part without a storable kind");
  }
}

// "geojson" and the property names, for the BLOB's keywords (cut to fit).
std::string KeywordsOf(const TParsedGeoJSON& Parsed) {
  std::string words = "geojson";
  for (const std::string& n : Parsed.PropertyNames)
    words += " " + n;
  return words;
}

int StoreKept(TGeoDB& DB, const TParsedGeoJSON& Parsed, const std::vector<int32_t>& Groups,
              const std::string& SourceName, fw::TDateTime Date) {
  std::string json = "{";
  for (size_t i = 0; i < Parsed.Features.size(); ++i)
    if (!Parsed.Features[i].Kept.empty())
      json += "\"" + std::to_string(Groups[i]) + "\":" + Parsed.Features[i].Kept + ",";
  if (json.size() == 1) return 0;
  json.back() = '}';
  if (json.size() > size_t(INT_MAX)) Raise(DB, "the kept properties exceed 2 GiB");
  TMetaInfo meta;
  meta.Caption = "GeoJSON properties of " + std::filesystem::path(SourceName).filename().string();
  meta.FilePath = SourceName;
  meta.Descriptor = std::string(kGeoJSONPropertiesDescriptor);
  meta.Keywords = KeywordsOf(Parsed);
  meta.Comment = std::to_string(Parsed.Features.size()) + " features, group identifiers " +
                 std::to_string(Groups.front()) + " to " + std::to_string(Groups.back());
  float south = 90, north = -90, west = 180, east = -180;
  for (const TParsedFeature& f : Parsed.Features)
    for (const TFeaturePart& p : f.Parts)
      for (const TSCoords& c : p.Points) {
        south = std::min(south, c.Latit), north = std::max(north, c.Latit);
        west = std::min(west, c.Longit), east = std::max(east, c.Longit);
      }
  const std::string name = std::filesystem::path(SourceName).filename().string() + ".properties";
  return DB.AddBLOB(name, Date, 0, south, north, west, east, 0, 0, 0, meta, json.data(),
                    static_cast<int>(json.size()));
}

// The bytes the import appends to the data file, refused before anything is
// written when the file would pass its 2 GiB limit.
void CheckRoom(TGeoDB& DB, const TParsedGeoJSON& Parsed) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(DB.DBName() + ".orvgdd", ec);
  int64_t need = (ec ? kHeaderBytes : static_cast<int64_t>(size)) + Parsed.Points * 8;
  for (const TParsedFeature& f : Parsed.Features)
    need += static_cast<int64_t>(f.Kept.size()) + 2;
  need += kMetaBytes;
  if (need > INT32_MAX)
    Raise(DB, std::to_string(Parsed.Points) +
                  " points do not fit: the data file would grow beyond 2147483647 bytes");
}

} // namespace

TGeoJSONImportReport ImportGeoJSONText(TGeoDB& DB, std::string_view Text,
                                       const std::string& SourceName,
                                       const TGeoJSONImportOptions& Options) {
  if (DB.DBName().empty()) Raise(DB, "no database is open.");
  if (DB.ReadOnly()) Raise(DB, "the database is open read-only.");
  const TProgressReporter progress(&DB, DB.OnPercentDone, DB.OnPercDoneEnabled());
  progress.Report(0);
  TParsedGeoJSON parsed;
  try {
    parsed = ParseGeoJSON(Text, Options);
  } catch (const std::runtime_error& e) {
    Raise(DB, SourceName + ": " + e.what());
  }
  CheckRoom(DB, parsed);
  progress.Report(10);
  TGeoJSONImportReport report;
  report.Features = static_cast<int>(parsed.Features.size()) + parsed.EmptyFeatures;
  report.EmptyFeatures = parsed.EmptyFeatures;
  report.UnknownKinds = parsed.UnknownKinds;
  std::vector<int32_t> groups;
  groups.reserve(parsed.Features.size());
  const fw::TDateTime now = fw::Now();
  {
    TBulkLoad bulk(DB);
    int last = 10;
    for (const TParsedFeature& f : parsed.Features) {
      const int32_t group = DB.SystemData().HighestID + 1;
      groups.push_back(group);
      for (const TFeaturePart& p : f.Parts) {
        AddPart(DB, f, p, now, group);
        ++report.Entries;
        ++report.Kinds[p.Kind];
        report.Points += static_cast<int64_t>(p.Points.size());
      }
      const int percent = 10 + PercentOf(report.Points, parsed.Points) * 85 / 100;
      if (percent != last) progress.Report(last = percent);
    }
    if (Options.KeepProperties && !groups.empty())
      report.PropertiesEntry = StoreKept(DB, parsed, groups, SourceName, now);
    bulk.Finish();
  }
  progress.Report(100);
  return report;
}

TGeoJSONImportReport ImportGeoJSON(TGeoDB& DB, const std::string& FileName,
                                   const TGeoJSONImportOptions& Options) {
  fw::TFileStream in(FileName, fw::fmOpenRead);
  std::string text(static_cast<size_t>(in.Size()), '\0');
  if (!text.empty()) in.ReadBuffer(text.data(), static_cast<int64_t>(text.size()));
  return ImportGeoJSONText(DB, text, FileName, Options);
}

} // namespace kartavo
