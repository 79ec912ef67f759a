// The pieces of the calibration readers, shared by ParseCalibData and the
// map control: the sources of lines and tags over text files and streams,
// the search for the calibration header, and the reading of its body into a
// record.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/geomap/calib_records.h"

#include <functional>
#include <optional>
#include <string>

namespace fw {
class TStream;
class TTextFile;
} // namespace fw

namespace kartavo {

// Delivers the next line without its line break; false at the end.
using TXmlLineSource = std::function<bool(std::string& Line)>;
// Delivers the next tag of XMLTagNames with its attribute text and contents;
// xtInvalidTag at the end, xtUnfinishedTag (with the tag's name) where the
// input broke off inside a tag or element.
using TXmlTagSource = std::function<int(std::string& Attributes, std::string& Contents)>;

// Lines as the platform's text reading delivers them (CR LF, LF or CR).
KARTAVO_API TXmlLineSource TextFileLines(fw::TTextFile& F);
// Lines read byte by byte up to a line feed, without up to two trailing CR
// or LF characters.
KARTAVO_API TXmlLineSource StreamLines(fw::TStream& S);
KARTAVO_API TXmlTagSource TextFileTags(fw::TTextFile& F);
KARTAVO_API TXmlTagSource StreamTags(fw::TStream& S);

// The attributes of a calibration header, in UTF-8. Id, Model and Map are
// read in lower case, Caption as written; &quot; stands for a double quote.
struct TCalibHeader {
  std::string Id;
  std::string Model;
  bool HasModel = false;
  std::string Map;
  std::string Caption;
};

// Reads lines up to the first header whose identifier equals DataID
// (ignoring case; any header when DataID is empty). LastSeen receives the
// last header met, accepted or not. True when a header was accepted.
KARTAVO_API bool FindCalibHeader(const TXmlLineSource& Lines, const std::string& DataID,
                                 std::optional<TCalibHeader>& LastSeen);

// The header's model for the control: the named model, cmUndefined for any
// other value or none.
KARTAVO_API TCalibModel ControlModelOf(const TCalibHeader& Header);

// How the reader of the control and ParseCalibData differ in the body.
struct TCalibBodyRules {
  // Keep graticule lines with fewer than 3 points (the control drops them).
  bool KeepShortLines = false;
  // Turns a reading error's text into the message raised.
  std::function<std::string(const std::string& Text)> Message;
};

// Reads the tags of one calibration up to "/geomap" or the end into CalData
// (NumCalLines counts from what it holds). Raises EORVGeoMapError with the
// rules' message on malformed content; elements read before stay stored,
// the failing element is not stored.
KARTAVO_API void ReadCalibBody(const TXmlTagSource& Tags, TCalibData& CalData,
                               const TCalibBodyRules& Rules);

// The map control's reading of a calibration: finds the header (every header
// met sets Model, MapFName and Caption), then calls Clear and reads the body
// with short graticule lines dropped, raising Message(text). True when a
// calibration was found and read.
KARTAVO_API bool
ReadControlCalibration(const TXmlLineSource& Lines, const TXmlTagSource& Tags,
                       const std::string& DataID, TCalibData& CalData, TCalibModel& Model,
                       const std::function<void()>& Clear,
                       const std::function<std::string(const std::string&)>& Message);

// Empties a calibration record as the control's ClearCalibData does: no
// lines or points, corners and resolution 0, no UTM zone, WGS84. The model,
// map name and caption are not part of it.
KARTAVO_API void ClearCalibRecord(TCalibData& CalData);

} // namespace kartavo
