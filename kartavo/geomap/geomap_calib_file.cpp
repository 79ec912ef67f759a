// Calibration files of TGeoMap: saving the calibration with the map image's
// name, and loading one, which clears the calibration, reads it, loads the
// map image it names and fits the model.
#include "kartavo/framework/errors.h"
#include "kartavo/framework/stream.h"
#include "kartavo/framework/text_file.h"
#include "kartavo/geomap/calib_xml.h"
#include "kartavo/geomap/calib_xml_reader.h"
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/package/exceptions.h"

#include <filesystem>

namespace kartavo {

void TGeoMap::PrepareCalDataForSaving() {
  CalcExtentsAndResolution();
  FCalib.Data.MapFName = FImage.Name();
}

void TGeoMap::WriteCalDataToOpenXMLFile(fw::TTextFile& F, bool WriteDeclaration,
                                        const std::string& DataID) {
  PrepareCalDataForSaving();
  WriteRawCalDataToOpenXMLFile(F, WriteDeclaration, DataID, FCalib.Data, FCalib.Model);
}

void TGeoMap::SaveCalDataAsXML(const std::string& FileName, const std::string& DataID) {
  fw::TTextFile f;
  f.Rewrite(FileName);
  WriteCalDataToOpenXMLFile(f, true, DataID);
  f.Close();
}

void TGeoMap::SaveCalDataAsXML(fw::TStream& OutStream, const std::string& DataID) {
  PrepareCalDataForSaving();
  WriteRawCalDataToStream(OutStream, DataID, FCalib.Data, FCalib.Model);
}

bool TGeoMap::ReadCalDataIntern(const TXmlLineSource& Lines, const TXmlTagSource& Tags,
                                const std::string& DataID) {
  const bool found = ReadControlCalibration(
      Lines, Tags, DataID, FCalib.Data, FCalib.Model, [this] { ClearCalibData(); },
      [this](const std::string& text) { return ComponentMessage(*this, text); });
  if (!found) return false;
  RecalcGratMat();
  if (!FCalib.Data.MapFName.empty()) SetMapImgName(FCalib.Data.MapFName);
  // Corners and resolution keep the values the file holds.
  FitModelParameters();
  return true;
}

bool TGeoMap::ReadCalDataFromOpenXMLFile(fw::TTextFile& F, const std::string& DataID) {
  return ReadCalDataIntern(TextFileLines(F), TextFileTags(F), DataID);
}

bool TGeoMap::LoadCalDataFromXML(const std::string& FName, const std::string& DataID) {
  fw::TTextFile f;
  try {
    f.Reset(FName);
  } catch (const fw::EInOutError&) {
    return false;
  }
  const bool found = ReadCalDataFromOpenXMLFile(f, DataID);
  f.Close();
  return found;
}

bool TGeoMap::LoadCalDataFromXML(fw::TMemoryStream& InStream, const std::string& DataID) {
  return ReadCalDataIntern(StreamLines(InStream), StreamTags(InStream), DataID);
}

void TGeoMap::SetCalDatName(const std::string& value) {
  std::error_code ec;
  if (std::filesystem::is_regular_file(value, ec)) {
    FCalib.FileName = value;
    LoadCalDataFromXML(value, "");
  } else {
    FImage.Forget();
  }
  Paint();
}

} // namespace kartavo
