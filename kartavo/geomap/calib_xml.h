// The calibration XML text: one "geomap" element per calibration, found by
// its data identifier, so that one text may hold several calibrations and
// other elements. The writers and ParseCalibData work on plain records and
// need no map control.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/geomap/calib_records.h"

#include <array>
#include <string>
#include <string_view>

namespace fw {
class TMemoryStream;
class TStream;
class TTextFile;
} // namespace fw

namespace kartavo {

// The tags of the package's XML texts (calibrations, landmarks, symbols).
// The tag reader returns positions in this list, so the order is fixed.
inline constexpr std::array<std::string_view, 16> XMLTagNames = {
    "geomap",       "/geomap",  "calline",   "corners",   "resolution", "gmlandmarks",
    "/gmlandmarks", "landmark", "calquads",  "lmsymbols", "/lmsymbols", "symbol",
    "utmzone",      "utmsouth", "ellipsoid", "invalidtag"};

enum TXMLTag : int {
  xtGeoMap = 0,
  xtGeoMapEnd = 1,
  xtCalLine = 2,
  xtCorners = 3,
  xtResolution = 4,
  xtGmLandmarks = 5,
  xtGmLandmarksEnd = 6,
  xtLandmark = 7,
  xtCalQuads = 8,
  xtLmSymbols = 9,
  xtLmSymbolsEnd = 10,
  xtSymbol = 11,
  xtUTMZone = 12,
  xtUTMSouth = 13,
  xtEllipsoid = 14,
  xtInvalidTag = 15,
  // From the tag sources of calib_xml_reader.h, not a position in the list:
  // the input broke off inside a listed tag or its element (a closing tag
  // that never came); the tag's name is delivered as its attribute text.
  xtUnfinishedTag = -1
};

// Writes the calibration into a text file open for writing, each line ended
// by CR LF; the XML declaration only when WriteDeclaration is set. The
// resolution element is left out when Resolution is 0, the calibration
// points when there are none.
KARTAVO_API void WriteRawCalDataToOpenXMLFile(fw::TTextFile& F, bool WriteDeclaration,
                                              const std::string& DataID, const TCalibData& CalData,
                                              TCalibModel Model);

// The stream form of the same text: always with the declaration, the
// resolution element and the calibration point element (npoints 0 and an
// empty line when there are no points).
KARTAVO_API void WriteRawCalDataToStream(fw::TStream& S, const std::string& DataID,
                                         const TCalibData& CalData, TCalibModel Model);

// Reads the calibration DataID (the first one when DataID is empty) into
// CalData and Model without a control. Only NumCalLines is reset; fields
// without an element keep the caller's values. False when the file cannot be
// opened or holds no matching calibration; raises EORVGeoMapError
// ("ParseCalibData: ...") on malformed content.
KARTAVO_API bool ParseCalibData(const std::string& FName, const std::string& DataID,
                                TCalibData& CalData, TCalibModel& Model);
// The same from the stream's current position.
KARTAVO_API bool ParseCalibData(fw::TMemoryStream& InStream, const std::string& DataID,
                                TCalibData& CalData, TCalibModel& Model);

} // namespace kartavo
