// TGeoMap: the landmark interface. The store does the work; the control
// builds records from its default, lets the host veto, reports memory
// failures in its own name and repaints.
#include "kartavo/framework/text_file.h"
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/landmarks/landmark_xml.h"
#include "kartavo/geomap/landmarks/xml_section.h"
#include "kartavo/package/exceptions.h"

namespace kartavo {

TLandmarkStore::TActionCheck TGeoMap::LandMarkActionCheck() {
  if (!OnLandMarkAction) return {};
  return [this](TLandMarkAction action, const TLandMark& lm) {
    bool allowed = true;
    OnLandMarkAction(this, allowed, action, lm);
    return allowed;
  };
}

void TGeoMap::AddLandMarkRecord(const TLandMark& LandMark) {
  if (GuardLandMarkStorage([&] { return FLandmarks.Add(LandMark, LandMarkActionCheck()); }))
    Paint();
}

TLandMark TGeoMap::NewLandMark(double Lat, double Long, double Altitude) const {
  TLandMark lm = FLandmarks.Default();
  lm.Latitude = Lat;
  lm.Longitude = Long;
  lm.Altitude = Altitude;
  return lm;
}

void TGeoMap::AddLandMark(double Lat, double Long, double Altitude) {
  AddLandMarkRecord(NewLandMark(Lat, Long, Altitude));
}

void TGeoMap::AddLandMark(double Lat, double Long, double Altitude, const TLMIdentifier& Identifier,
                          fw::TDateTime Time) {
  TLandMark lm = NewLandMark(Lat, Long, Altitude);
  lm.Identifier = Identifier;
  lm.Time = Time;
  AddLandMarkRecord(lm);
}

void TGeoMap::AddLandMark(double Lat, double Long, double Altitude, const std::string& CaptionText,
                          int32_t CaptionSize, fw::TColor CaptionColor) {
  AddLandMark(Lat, Long, Altitude, FLandmarks.Default().Identifier, FLandmarks.Default().Time,
              CaptionText, CaptionSize, CaptionColor);
}

void TGeoMap::AddLandMark(double Lat, double Long, double Altitude, const TLMIdentifier& Identifier,
                          fw::TDateTime Time, const std::string& CaptionText, int32_t CaptionSize,
                          fw::TColor CaptionColor) {
  TLandMark lm = NewLandMark(Lat, Long, Altitude);
  lm.Identifier = Identifier;
  lm.Time = Time;
  lm.Caption.Text = CaptionText;
  lm.Caption.Size = CaptionSize;
  lm.Caption.FGColor = CaptionColor;
  AddLandMarkRecord(lm);
}

void TGeoMap::AddLandMark(double Lat, double Long, double Altitude, TLandMarkElement Element,
                          uint8_t ClassFlag, const TLMIdentifier& Identifier, fw::TDateTime Time,
                          int32_t Tag, fw::TColor ColorFG, fw::TColor ColorBG, int32_t Size,
                          bool Transparent, int32_t Direction, int32_t Length) {
  TLandMark lm = NewLandMark(Lat, Long, Altitude);
  lm.ClassFlag = ClassFlag;
  lm.Identifier = Identifier;
  lm.Time = Time;
  lm.Tag = Tag;
  lm.SymbolProps = {Element, Size, ColorFG, ColorBG, Transparent, Direction, Length};
  AddLandMarkRecord(lm);
}

int TGeoMap::RemoveLandMark(int LmIndex) {
  if (NumLandMarks() == 0) return 0;
  const int removed = FLandmarks.RemoveAt(LmIndex, LandMarkActionCheck());
  Paint();
  return removed;
}

int TGeoMap::RemoveLandMark(double Lat, double Long, int32_t ClassFlag) {
  if (NumLandMarks() == 0) return 0;
  const int removed = FLandmarks.RemoveNearest(Lat, Long, ClassFlag, LandMarkActionCheck());
  Paint();
  return removed;
}

int TGeoMap::RemoveLandMark(double Lat, double Long, int32_t ClassFlag, double Radius) {
  if (NumLandMarks() == 0) return 0;
  const int removed = FLandmarks.RemoveWithin(Lat, Long, ClassFlag, Radius, LandMarkActionCheck());
  Paint();
  return removed;
}

int TGeoMap::RemoveLandMark(const quillon::TRectDouble& Rect, int32_t ClassFlag) {
  if (NumLandMarks() == 0) return 0;
  const int removed = FLandmarks.RemoveInside(Rect, ClassFlag, LandMarkActionCheck());
  Paint();
  return removed;
}

void TGeoMap::RemoveLastLandMark() {
  FLandmarks.RemoveLast(LandMarkActionCheck());
  Paint();
}

void TGeoMap::RemoveAllLandMarks(uint8_t ClassFlag) {
  if (NumLandMarks() == 0) return;
  FLandmarks.RemoveClass(ClassFlag, LandMarkActionCheck());
  Paint();
}

void TGeoMap::RemoveAllLandMarks() {
  FLandmarks.Clear();
  Paint();
}

int TGeoMap::FindLandMark(double Lat, double Long, int32_t ClassFlag) const {
  return FLandmarks.FindNearest(Lat, Long, ClassFlag);
}

TLandMark TGeoMap::GetLandMarkData(int ix) const {
  const TLandMark* lm = FLandmarks.At(ix);
  return lm ? *lm : TLandMark{};
}

void TGeoMap::SetLandMarkData(int ix, const TLandMark& LandMark) {
  if (FLandmarks.SetAt(ix, LandMark)) Paint();
}

bool TGeoMap::LoadLandMarks(const std::string& FName, const std::string& DataID) {
  fw::TTextFile f;
  if (!TryOpenForReading(f, FName)) return false;
  const bool found = ReadLandMarksFromOpenXMLFile(f, DataID);
  f.Close();
  Paint();
  return found;
}

bool TGeoMap::ReadLandMarksFromOpenXMLFile(fw::TTextFile& F, const std::string& DataID) {
  return GuardLandMarkStorage([&] { return FLandmarks.ReadFromOpenXMLFile(F, DataID); });
}

void TGeoMap::SaveLandmarks(const std::string& FileName, const std::string& DataID) {
  SaveLandMarkFile(FileName, DataID, FLandmarks.Items());
}

void TGeoMap::WriteLandMarksToOpenXMLFile(fw::TTextFile& F, bool WriteDeclaration,
                                          const std::string& DataID) {
  kartavo::WriteLandMarksToOpenXMLFile(F, WriteDeclaration, DataID, FLandmarks.Items());
}

} // namespace kartavo
