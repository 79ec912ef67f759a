// Landmark files: one "gmlandmarks" section per set of landmarks, found by
// its data identifier, so that a file may hold several sets and other
// sections. The header is one line; each landmark is one self-closing
// "landmark" element with 26 attributes. Reading goes on past
// "</gmlandmarks>" up to "</geomap>" or the end of the file.
//
// These functions work on plain landmark records; the map control's
// LoadLandMarks and SaveLandmarks put them into its store.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/geomap/calib_xml_reader.h"
#include "kartavo/geomap/landmark_records.h"

#include <array>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace fw {
class TTextFile;
}

namespace kartavo {

// The 26 attributes of a landmark element, in the order they are written.
inline constexpr std::array<std::string_view, 26> LandMarkAttributeNames = {
    "lat",     "long",    "alti",   "class",    "usertag",  "element",   "colorfg",
    "colorbg", "size",    "transp", "dir",      "leng",     "id",        "date",
    "captext", "capsize", "capfnm", "capfgcol", "capbgcol", "captransp", "capdir",
    "capdx",   "capdy",   "caphal", "capval",   "capfst"};

// Longest font name kept from a file: the platform's face names hold 31
// characters, and the cap bounds the memory one landmark can take.
constexpr size_t MaxCaptionFontName = 31;

// The landmark of one "landmark" element's attribute text. Every field comes
// from its attribute; a missing one gives the field's empty value.
KARTAVO_API TLandMark LandMarkFromAttributes(std::string_view Attributes);

// The element line of one landmark, with all 26 attributes.
KARTAVO_API std::string LandMarkElementLine(const TLandMark& LandMark);

// Reads lines up to the first matching "gmlandmarks" header; false when the
// input ends first (nothing else happens). On the header Begin is called
// (the receiver drops its landmarks), then every "landmark" tag up to
// "/geomap" or the end is passed to Append, each complete. Errors of the
// sources (input/output) pass through; what was appended stays.
KARTAVO_API bool ReadLandMarkSection(const TXmlLineSource& Lines, const TXmlTagSource& Tags,
                                     const std::string& DataID, const std::function<void()>& Begin,
                                     const std::function<void(const TLandMark&)>& Append);

// The same on an open text file, into a vector (emptied on the header).
KARTAVO_API bool ReadLandMarksFromOpenXMLFile(fw::TTextFile& F, const std::string& DataID,
                                              std::vector<TLandMark>& LandMarks);
// Opens and reads FName; false when it cannot be opened or holds no section.
KARTAVO_API bool LoadLandMarkFile(const std::string& FName, const std::string& DataID,
                                  std::vector<TLandMark>& LandMarks);

// Writes a section: the XML declaration when WriteDeclaration is set, an
// empty line, a comment, the header line with DataID, one line per landmark
// and the closing tag, each line ended by CR LF.
KARTAVO_API void WriteLandMarksToOpenXMLFile(fw::TTextFile& F, bool WriteDeclaration,
                                             const std::string& DataID,
                                             std::span<const TLandMark> LandMarks);
// Creates or overwrites FileName with one section, declaration included.
KARTAVO_API void SaveLandMarkFile(const std::string& FileName, const std::string& DataID,
                                  std::span<const TLandMark> LandMarks);

} // namespace kartavo
