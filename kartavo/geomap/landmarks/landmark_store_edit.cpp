// Adding, finding and removing landmarks.
#include "kartavo/framework/text_file.h"
#include "kartavo/geomap/landmarks/landmark_store.h"
#include "kartavo/geomap/landmarks/landmark_xml.h"

#include <algorithm>

namespace kartavo {
namespace {

constexpr double kFarAway = 1e10; // squared degrees: farther than anything

bool Passes(int32_t filter, const TLandMark& lm) {
  return filter < 0 || filter > 255 || lm.ClassFlag == filter;
}

double Distance2(const TLandMark& lm, double lat, double lon) {
  const double dLat = lm.Latitude - lat, dLong = lm.Longitude - lon;
  return dLat * dLat + dLong * dLong;
}

bool Allow(const TLandmarkStore::TActionCheck& allowed, TLandMarkAction action,
           const TLandMark& lm) {
  return !allowed || allowed(action, lm);
}

} // namespace

bool TLandmarkStore::Add(const TLandMark& LandMark, const TActionCheck& Allowed) {
  if (!Allow(Allowed, lmaAdd, LandMark)) return false;
  Append(LandMark);
  return true;
}

int TLandmarkStore::FindNearest(double Lat, double Long, int32_t ClassFlag) const {
  int best = 0;
  double bestD2 = kFarAway;
  for (int ix = 1; ix <= Count(); ++ix) {
    const TLandMark& lm = FItems.V[static_cast<size_t>(ix - 1)];
    if (!Passes(ClassFlag, lm)) continue;
    const double d2 = Distance2(lm, Lat, Long);
    if (d2 < bestD2) {
      bestD2 = d2;
      best = ix;
    }
  }
  return best;
}

void TLandmarkStore::ResetStorageIfEmpty() {
  if (Count() != 0) return;
  std::vector<TLandMark> fresh;
  fresh.reserve(Block);
  FItems.V.swap(fresh);
}

int TLandmarkStore::RemoveOne(int Victim, const TActionCheck& Allowed) {
  FHighlight = 0;
  if (Victim >= 1 && Victim <= Count()) {
    if (Allow(Allowed, lmaRemove, FItems.V[static_cast<size_t>(Victim - 1)])) {
      if (Victim != Count()) FItems.V[static_cast<size_t>(Victim - 1)] = FItems.V.back();
      FItems.V.pop_back();
    } else {
      Victim = 0;
    }
  } else {
    Victim = 0;
  }
  ResetStorageIfEmpty();
  return Victim;
}

int TLandmarkStore::RemoveAt(int ix, const TActionCheck& Allowed) {
  return Count() == 0 ? 0 : RemoveOne(ix, Allowed);
}

int TLandmarkStore::RemoveNearest(double Lat, double Long, int32_t ClassFlag,
                                  const TActionCheck& Allowed) {
  return Count() == 0 ? 0 : RemoveOne(FindNearest(Lat, Long, ClassFlag), Allowed);
}

void TLandmarkStore::RemoveLast(const TActionCheck& Allowed) {
  if (Count() == 0) {
    ResetStorageIfEmpty();
    return;
  }
  RemoveOne(Count(), Allowed);
}

void TLandmarkStore::Compact(std::vector<bool>& gone) {
  const auto marked = [&gone](int ix) { return gone[static_cast<size_t>(ix)]; };
  int i = 1, k = Count();
  while (i <= Count() && !marked(i))
    ++i;
  if (i > Count()) return; // nothing marked
  for (;;) {
    while (k >= 1 && marked(k))
      --k;
    if (k < i) break;
    FItems.V[static_cast<size_t>(i - 1)] = FItems.V[static_cast<size_t>(k - 1)];
    gone[static_cast<size_t>(k)] = true;
    gone[static_cast<size_t>(i)] = false;
    while (i <= Count() && !marked(i))
      ++i;
  }
  FItems.V.resize(static_cast<size_t>(std::max(k, 0)));
}

int TLandmarkStore::RemoveMarked(const std::function<bool(const TLandMark&)>& Candidate,
                                 const TActionCheck& Allowed) {
  if (Count() == 0) return 0;
  FHighlight = 0;
  std::vector<bool> marks(static_cast<size_t>(Count()) + 1); // from 1
  int removed = 0;
  for (int ix = 1; ix <= Count(); ++ix) {
    const TLandMark& lm = FItems.V[static_cast<size_t>(ix - 1)];
    if (Candidate(lm) && Allow(Allowed, lmaRemove, lm)) {
      marks[static_cast<size_t>(ix)] = true;
      ++removed;
    }
  }
  if (removed == Count())
    FItems.V.clear();
  else if (removed > 0)
    Compact(marks);
  ResetStorageIfEmpty();
  return removed;
}

int TLandmarkStore::RemoveWithin(double Lat, double Long, int32_t ClassFlag, double Radius,
                                 const TActionCheck& Allowed) {
  const double r2 = Radius * Radius;
  return RemoveMarked(
      [&](const TLandMark& lm) { return Passes(ClassFlag, lm) && Distance2(lm, Lat, Long) < r2; },
      Allowed);
}

int TLandmarkStore::RemoveInside(const quillon::TRectDouble& Rect, int32_t ClassFlag,
                                 const TActionCheck& Allowed) {
  return RemoveMarked(
      [&](const TLandMark& lm) {
        return Passes(ClassFlag, lm) && lm.Longitude > Rect.West && lm.Longitude < Rect.East &&
               lm.Latitude > Rect.South && lm.Latitude < Rect.North;
      },
      Allowed);
}

int TLandmarkStore::RemoveClass(uint8_t ClassFlag, const TActionCheck& Allowed) {
  return RemoveMarked([&](const TLandMark& lm) { return lm.ClassFlag == ClassFlag; }, Allowed);
}

void TLandmarkStore::Clear() {
  FItems.V.clear();
  ResetStorageIfEmpty();
}

const TLandMark* TLandmarkStore::At(int ix) const {
  return ix >= 1 && ix <= Count() ? &FItems.V[static_cast<size_t>(ix - 1)] : nullptr;
}

bool TLandmarkStore::SetAt(int ix, const TLandMark& LandMark) {
  if (ix < 1 || ix > Count()) return false;
  FItems.V[static_cast<size_t>(ix - 1)] = LandMark;
  return true;
}

bool TLandmarkStore::ReadFromOpenXMLFile(fw::TTextFile& F, const std::string& DataID) {
  return ReadLandMarkSection(
      TextFileLines(F), TextFileTags(F), DataID, [this] { Clear(); },
      [this](const TLandMark& lm) { Append(lm); });
}

} // namespace kartavo
