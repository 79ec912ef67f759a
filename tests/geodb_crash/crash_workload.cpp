#include "crash_workload.h"

#include <unistd.h>

#include <vector>

namespace crash_test {
namespace {

using namespace kartavo;

void Send(int fd, const TOpMessage& m) {
  if (::write(fd, &m, sizeof m) != static_cast<ssize_t>(sizeof m)) ::_exit(3);
}

class TWorkload {
public:
  TWorkload(const std::string& base, uint32_t seed, bool lazy, int report)
      : FRng(seed), FLazy(lazy), FReport(report) {
    FDB.SetDBName(base);
    FDB.SetLazyWrite(lazy);
  }

  // One change: of the kind the script names, or of a random kind.
  void Step(char kind) {
    const int n = FDB.NumEntries();
    if (kind == 0) {
      const int dice = Pick(0, 99);
      kind = dice < 45 || n < 5 ? 'a' : dice < 70 ? 'r' : dice < 93 ? 'd' : dice < 97 ? 'g' : 'i';
      if (n > 400) kind = 'd';
    }
    if (kind == 'a' || n == 0)
      Add();
    else if (kind == 'r')
      Replace(Pick(1, n));
    else if (kind == 'd')
      Delete(Pick(1, n));
    else if (kind == 'g')
      FDB.GarbageCollection();
    else if (kind == 'i')
      FDB.RecalcIndexes();
    // Deferred changes are complete once written out.
    if (!FLazy || kind == 'w' || Pick(0, 5) == 0) {
      if (FLazy) {
        FDB.SetLazyWrite(false);
        FDB.SetLazyWrite(true);
      }
      Send(FReport, {opDone, 0, 0});
    }
  }

private:
  int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(FRng); }
  float Coord(float limit) { return std::uniform_real_distribution<float>(-limit, limit)(FRng); }

  // A new entry of a random kind as entry `entry`, or added when entry is 0.
  void Write(int entry, int32_t id) {
    const int kind = Pick(0, 3);
    const TOpMessage announce{entry ? opReplace : opAdd, id, 0};
    if (kind == 0) {
      const TSCoords at{Coord(90), Coord(180)};
      Announce(announce, &at, sizeof at);
      if (entry)
        FDB.ReplaceTown(entry, "town", 0, 0, at, 0, 0, ContentTag(&at, sizeof at));
      else
        FDB.AddTown("town", 0, 0, at, 0, 0, ContentTag(&at, sizeof at));
    } else if (kind == 1) {
      std::vector<uint8_t> blob(static_cast<size_t>(Pick(0, 40000)));
      for (uint8_t& b : blob)
        b = static_cast<uint8_t>(FRng());
      const int32_t tag = Announce(announce, blob.data(), blob.size());
      if (entry)
        FDB.ReplaceBLOB(entry, "blob", 0, 0, 0, 0, 0, 0, 0, 0, tag, {}, blob.data(),
                        static_cast<int>(blob.size()));
      else
        FDB.AddBLOB("blob", 0, 0, 0, 0, 0, 0, 0, 0, tag, {}, blob.data(),
                    static_cast<int>(blob.size()));
    } else {
      TgdbPolygon poly(static_cast<size_t>(Pick(0, 300)));
      for (TSCoords& p : poly)
        p = {Coord(90), Coord(180)};
      const int32_t tag = Announce(announce, poly.data(), poly.size() * sizeof(TSCoords));
      if (entry)
        FDB.ReplaceRoad(entry, "road", poly, 0, 0, 0, 0, 0, 0, 0, 0, tag);
      else
        FDB.AddRoad("road", poly, 0, 0, 0, 0, 0, 0, 0, 0, tag);
    }
  }

  int32_t Announce(TOpMessage m, const void* content, size_t size) {
    m.Tag = ContentTag(content, size);
    Send(FReport, m);
    return m.Tag;
  }

  void Add() { Write(0, FDB.SystemData().HighestID + 1); }
  void Replace(int entry) { Write(entry, FDB.Data(entry).ItemId); }
  void Delete(int entry) {
    Send(FReport, {opDelete, FDB.Data(entry).ItemId, 0});
    FDB.DeleteData(entry);
  }

  std::mt19937 FRng;
  bool FLazy;
  int FReport;
  TGeoDB FDB{nullptr};
};

} // namespace

// FNV-1a: any change of a byte changes the tag with near certainty.
int32_t ContentTag(const void* Bytes, size_t Count) {
  uint32_t h = 2166136261u;
  const auto* p = static_cast<const uint8_t*>(Bytes);
  for (size_t i = 0; i < Count; ++i)
    h = (h ^ p[i]) * 16777619u;
  return static_cast<int32_t>(h & 0x7fffffff);
}

bool StoredTag(TGeoDB& db, int entry, int32_t& tag) {
  const TgdbData d = db.Data(entry);
  if (d.ItemKind == gitTown) {
    const TSCoords at = ExtractLocation(d);
    tag = ContentTag(&at, sizeof at);
    return true;
  }
  if (d.ItemKind == gitBLOB) {
    TMetaInfo meta;
    fw::TMemoryStream s;
    if (!db.RetrieveBLOB(entry, meta, s)) return false;
    tag = ContentTag(s.Memory(), static_cast<size_t>(s.Size()));
    return true;
  }
  TgdbPolygon poly;
  if (!db.RetrievePolygon(entry, poly)) return false;
  tag = ContentTag(poly.data(), poly.size() * sizeof(TSCoords));
  return true;
}

void RunWorkload(const std::string& base, uint32_t seed, int changes, bool lazy, int report,
                 const std::string& script) {
  TWorkload w(base, seed, lazy, report);
  for (int i = 0; i < changes; ++i)
    w.Step(script.empty() ? 0 : script[static_cast<size_t>(i) % script.size()]);
}

} // namespace crash_test
