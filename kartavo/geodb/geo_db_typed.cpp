// TGeoDB: the typed operations, one pair per kind of entry, each filling in
// the kind-specific arguments of AddData and ReplaceData.
#include "kartavo/geodb/geo_db.h"

#include "kartavo/companion/quillon.h"

#include <climits>

namespace kartavo {
namespace {
const TgdbPolygon kNoPoints;
const TMetaInfo kNoMeta;
} // namespace

int TGeoDB::AddBorder(const TgdbName& Name, const TgdbPolygon& Polygon, bool ClosedLine,
                      fw::TDateTime Date, int32_t StateFlag, float LatLow, float LatHigh,
                      float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
                      int32_t UserTag) {
  return AddData(Name, Polygon, ClosedLine, gitBorder, ClassNumber, Date, StateFlag, LatLow,
                 LatHigh, LongLow, LongHigh, Altitude, UserTag, kNoMeta, nullptr, 0, false);
}

void TGeoDB::ReplaceBorder(int DBEntry, const TgdbName& Name, const TgdbPolygon& Polygon,
                           bool ClosedLine, fw::TDateTime Date, int32_t StateFlag, float LatLow,
                           float LatHigh, float LongLow, float LongHigh, float Altitude,
                           uint8_t ClassNumber, int32_t UserTag) {
  ReplaceData(DBEntry, Name, Polygon, ClosedLine, gitBorder, ClassNumber, Date, StateFlag, LatLow,
              LatHigh, LongLow, LongHigh, Altitude, UserTag, kNoMeta, nullptr, 0, false);
}

int TGeoDB::AddCity(const TgdbName& Name, const TgdbPolygon& Polygon, bool ClosedLine,
                    fw::TDateTime Date, int32_t StateFlag, float LatLow, float LatHigh,
                    float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
                    int32_t UserTag) {
  return AddData(Name, Polygon, ClosedLine, gitCity, ClassNumber, Date, StateFlag, LatLow, LatHigh,
                 LongLow, LongHigh, Altitude, UserTag, kNoMeta, nullptr, 0, false);
}

void TGeoDB::ReplaceCity(int DBEntry, const TgdbName& Name, const TgdbPolygon& Polygon,
                         bool ClosedLine, fw::TDateTime Date, int32_t StateFlag, float LatLow,
                         float LatHigh, float LongLow, float LongHigh, float Altitude,
                         uint8_t ClassNumber, int32_t UserTag) {
  ReplaceData(DBEntry, Name, Polygon, ClosedLine, gitCity, ClassNumber, Date, StateFlag, LatLow,
              LatHigh, LongLow, LongHigh, Altitude, UserTag, kNoMeta, nullptr, 0, false);
}

int TGeoDB::AddLake(const TgdbName& Name, const TgdbPolygon& Polygon, fw::TDateTime Date,
                    int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                    float Altitude, uint8_t ClassNumber, int32_t UserTag) {
  return AddData(Name, Polygon, true, gitLake, ClassNumber, Date, StateFlag, LatLow, LatHigh,
                 LongLow, LongHigh, Altitude, UserTag, kNoMeta, nullptr, 0, false);
}

void TGeoDB::ReplaceLake(int DBEntry, const TgdbName& Name, const TgdbPolygon& Polygon,
                         fw::TDateTime Date, int32_t StateFlag, float LatLow, float LatHigh,
                         float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
                         int32_t UserTag) {
  ReplaceData(DBEntry, Name, Polygon, true, gitLake, ClassNumber, Date, StateFlag, LatLow, LatHigh,
              LongLow, LongHigh, Altitude, UserTag, kNoMeta, nullptr, 0, false);
}

int TGeoDB::AddRiver(const TgdbName& Name, const TgdbPolygon& Polygon, fw::TDateTime Date,
                     int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                     float Altitude, uint8_t ClassNumber, int32_t UserTag) {
  return AddData(Name, Polygon, false, gitRiver, ClassNumber, Date, StateFlag, LatLow, LatHigh,
                 LongLow, LongHigh, Altitude, UserTag, kNoMeta, nullptr, 0, false);
}

void TGeoDB::ReplaceRiver(int DBEntry, const TgdbName& Name, const TgdbPolygon& Polygon,
                          fw::TDateTime Date, int32_t StateFlag, float LatLow, float LatHigh,
                          float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
                          int32_t UserTag) {
  ReplaceData(DBEntry, Name, Polygon, false, gitRiver, ClassNumber, Date, StateFlag, LatLow,
              LatHigh, LongLow, LongHigh, Altitude, UserTag, kNoMeta, nullptr, 0, false);
}

int TGeoDB::AddRoad(const TgdbName& Name, const TgdbPolygon& Polygon, fw::TDateTime Date,
                    int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                    float Altitude, uint8_t ClassNumber, int32_t UserTag) {
  return AddData(Name, Polygon, false, gitRoad, ClassNumber, Date, StateFlag, LatLow, LatHigh,
                 LongLow, LongHigh, Altitude, UserTag, kNoMeta, nullptr, 0, false);
}

void TGeoDB::ReplaceRoad(int DBEntry, const TgdbName& Name, const TgdbPolygon& Polygon,
                         fw::TDateTime Date, int32_t StateFlag, float LatLow, float LatHigh,
                         float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
                         int32_t UserTag) {
  ReplaceData(DBEntry, Name, Polygon, false, gitRoad, ClassNumber, Date, StateFlag, LatLow, LatHigh,
              LongLow, LongHigh, Altitude, UserTag, kNoMeta, nullptr, 0, false);
}

int TGeoDB::AddRoute(const TgdbName& Name, const TgdbPolygon& Polygon, fw::TDateTime Date,
                     int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                     float Altitude, uint8_t ClassNumber, int32_t UserTag) {
  return AddData(Name, Polygon, false, gitRoute, ClassNumber, Date, StateFlag, LatLow, LatHigh,
                 LongLow, LongHigh, Altitude, UserTag, kNoMeta, nullptr, 0, false);
}

void TGeoDB::ReplaceRoute(int DBEntry, const TgdbName& Name, const TgdbPolygon& Polygon,
                          fw::TDateTime Date, int32_t StateFlag, float LatLow, float LatHigh,
                          float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
                          int32_t UserTag) {
  ReplaceData(DBEntry, Name, Polygon, false, gitRoute, ClassNumber, Date, StateFlag, LatLow,
              LatHigh, LongLow, LongHigh, Altitude, UserTag, kNoMeta, nullptr, 0, false);
}

int TGeoDB::AddTown(const TgdbName& Name, fw::TDateTime Date, int32_t StateFlag,
                    const TSCoords& Location, float Altitude, uint8_t ClassNumber,
                    int32_t UserTag) {
  return AddData(Name, kNoPoints, false, gitTown, ClassNumber, Date, StateFlag, Location.Latit,
                 Location.Latit, Location.Longit, Location.Longit, Altitude, UserTag, kNoMeta,
                 nullptr, 0, false);
}

void TGeoDB::ReplaceTown(int DBEntry, const TgdbName& Name, fw::TDateTime Date, int32_t StateFlag,
                         const TSCoords& Location, float Altitude, uint8_t ClassNumber,
                         int32_t UserTag) {
  ReplaceData(DBEntry, Name, kNoPoints, false, gitTown, ClassNumber, Date, StateFlag,
              Location.Latit, Location.Latit, Location.Longit, Location.Longit, Altitude, UserTag,
              kNoMeta, nullptr, 0, false);
}

namespace {
// The meta information stored for a BLOB read from FileName: its FilePath
// is the path to keep (cut to 127 characters); the content itself is always
// read from the full FileName.
TMetaInfo WithFilePath(const TMetaInfo& MInfo, const std::string& StoredPath) {
  TMetaInfo m = MInfo;
  m.FilePath = StoredPath;
  return m;
}
} // namespace

int TGeoDB::AddBLOB(const std::string& FileName, fw::TDateTime Date, int32_t StateFlag,
                    float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
                    uint8_t ClassNumber, int32_t UserTag, const TMetaInfo& MInfo) {
  return AddBLOB(FileName, FileName, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh, Altitude,
                 ClassNumber, UserTag, MInfo);
}

int TGeoDB::AddBLOB(const std::string& FileName, const std::string& FNameInDB, fw::TDateTime Date,
                    int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                    float Altitude, uint8_t ClassNumber, int32_t UserTag, const TMetaInfo& MInfo) {
  return AddBLOB(FileName, FNameInDB, FileName, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh,
                 Altitude, ClassNumber, UserTag, MInfo);
}

int TGeoDB::AddBLOB(const std::string& FileName, const std::string& FNameInDB,
                    const std::string& OrgFilePath, fw::TDateTime Date, int32_t StateFlag,
                    float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
                    uint8_t ClassNumber, int32_t UserTag, const TMetaInfo& MInfo) {
  // The stored path is written with the block itself rather than patched in
  // afterwards: the same bytes, without a second write that could be cut short.
  return AddData(quillon::StripPath(FNameInDB), kNoPoints, false, gitBLOB, ClassNumber, Date,
                 StateFlag, LatLow, LatHigh, LongLow, LongHigh, Altitude, UserTag,
                 WithFilePath(MInfo, OrgFilePath), nullptr, 0, true, FileName);
}

int TGeoDB::AddBLOB(const std::string& Name, fw::TDateTime Date, int32_t StateFlag, float LatLow,
                    float LatHigh, float LongLow, float LongHigh, float Altitude,
                    uint8_t ClassNumber, int32_t UserTag, const TMetaInfo& MInfo,
                    const void* PBLOBData, int SizeOfBLOBData) {
  return AddData(Name, kNoPoints, false, gitBLOB, ClassNumber, Date, StateFlag, LatLow, LatHigh,
                 LongLow, LongHigh, Altitude, UserTag, MInfo, PBLOBData, SizeOfBLOBData, false);
}

namespace {
// A stream larger than a BLOB may be is passed on with a negative size and refused.
int StreamSize(fw::TMemoryStream& Data) {
  return Data.Size() > INT32_MAX ? -1 : static_cast<int>(Data.Size());
}
} // namespace

int TGeoDB::AddBLOB(const std::string& Name, fw::TDateTime Date, int32_t StateFlag, float LatLow,
                    float LatHigh, float LongLow, float LongHigh, float Altitude,
                    uint8_t ClassNumber, int32_t UserTag, const TMetaInfo& MInfo,
                    fw::TMemoryStream& Data) {
  return AddBLOB(Name, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh, Altitude, ClassNumber,
                 UserTag, MInfo, Data.Memory(), StreamSize(Data));
}

void TGeoDB::ReplaceBLOB(int DBEntry, const std::string& FileName, fw::TDateTime Date,
                         int32_t StateFlag, float LatLow, float LatHigh, float LongLow,
                         float LongHigh, float Altitude, uint8_t ClassNumber, int32_t UserTag,
                         const TMetaInfo& MInfo) {
  ReplaceData(DBEntry, quillon::StripPath(FileName), kNoPoints, false, gitBLOB, ClassNumber, Date,
              StateFlag, LatLow, LatHigh, LongLow, LongHigh, Altitude, UserTag,
              WithFilePath(MInfo, FileName), nullptr, 0, true, FileName);
}

void TGeoDB::ReplaceBLOB(int DBEntry, const std::string& Name, fw::TDateTime Date,
                         int32_t StateFlag, float LatLow, float LatHigh, float LongLow,
                         float LongHigh, float Altitude, uint8_t ClassNumber, int32_t UserTag,
                         const TMetaInfo& MInfo, const void* PBLOBData, int SizeOfBLOBData) {
  ReplaceData(DBEntry, Name, kNoPoints, false, gitBLOB, ClassNumber, Date, StateFlag, LatLow,
              LatHigh, LongLow, LongHigh, Altitude, UserTag, MInfo, PBLOBData, SizeOfBLOBData,
              false);
}

void TGeoDB::ReplaceBLOB(int DBEntry, const std::string& Name, fw::TDateTime Date,
                         int32_t StateFlag, float LatLow, float LatHigh, float LongLow,
                         float LongHigh, float Altitude, uint8_t ClassNumber, int32_t UserTag,
                         const TMetaInfo& MInfo, fw::TMemoryStream& Data) {
  ReplaceBLOB(DBEntry, Name, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh, Altitude,
              ClassNumber, UserTag, MInfo, Data.Memory(), StreamSize(Data));
}

} // namespace kartavo
