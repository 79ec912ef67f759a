// The sections of the landmark and symbol files: a header line that names
// the element ("gmlandmarks", "lmsymbols"), the suite signature and a data
// identifier, followed by tags read with the shared tag list up to
// "/geomap" or the end of the input.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/geomap/calib_xml_reader.h"

#include <functional>
#include <string>
#include <string_view>

namespace fw {
class TTextFile;
}

namespace kartavo {

// Whether Line is a header of Element whose identifier matches DataID
// (ignoring letter case; any identifier when DataID is empty): the line
// holds "<" followed by the element name, the signature "orvcsuite", and
// id="..." (trimmed, &quot; read as a quote; none counts as empty).
KARTAVO_API bool IsSectionHeader(std::string_view Line, std::string_view Element,
                                 const std::string& DataID);

// Reads lines up to the first matching header; false when the input ends
// first (nothing else happens). Then calls Begin, and Visit for every tag up
// to "/geomap" or the end with its index in XMLTagNames and its attribute
// text. A tag or element that breaks off (the input ends inside it, or its
// closing tag never comes) raises EORVGeoMapError naming it; what was
// visited stays. Errors of the sources pass through.
KARTAVO_API bool
ReadXmlSection(const TXmlLineSource& Lines, const TXmlTagSource& Tags, std::string_view Element,
               const std::string& DataID, const std::function<void()>& Begin,
               const std::function<void(int Tag, const std::string& Attributes)>& Visit);

// Opens FName for reading; false, without an exception, when it cannot be
// opened (the file readers' LoadFromFile forms report that as their result).
KARTAVO_API bool TryOpenForReading(fw::TTextFile& F, const std::string& FName);

} // namespace kartavo
