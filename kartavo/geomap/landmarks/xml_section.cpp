#include "kartavo/geomap/landmarks/xml_section.h"

#include "kartavo/framework/codepage.h"
#include "kartavo/framework/detail/text_scan.h"
#include "kartavo/framework/errors.h"
#include "kartavo/framework/text_file.h"
#include "kartavo/geomap/calib_xml.h"
#include "kartavo/geomap/detail/calib_xml_text.h"
#include "kartavo/geomap/landmarks/detail/xml_attributes.h"
#include "kartavo/package/exceptions.h"

namespace kartavo {

bool IsSectionHeader(std::string_view Line, std::string_view Element, const std::string& DataID) {
  const std::string lower = fw::LowerAscii(Line);
  if (lower.find("<" + std::string(Element)) == std::string::npos ||
      lower.find("orvcsuite") == std::string::npos)
    return false;
  if (DataID.empty()) return true;
  size_t start = 0, length = 0;
  std::string id;
  if (FindQuotedValue(lower, "id=", true, start, length))
    id = detail::DecodeXmlText(
        fw::Trim(std::string_view(lower).substr(start, length), fw::IsBlankOrControl));
  return id == fw::LowerAscii(fw::Utf8ToCp1252(DataID));
}

bool ReadXmlSection(const TXmlLineSource& Lines, const TXmlTagSource& Tags,
                    std::string_view Element, const std::string& DataID,
                    const std::function<void()>& Begin,
                    const std::function<void(int Tag, const std::string& Attributes)>& Visit) {
  std::string line;
  bool found = false;
  while (!found && Lines(line))
    found = IsSectionHeader(line, Element, DataID);
  if (!found) return false;
  Begin();
  std::string attributes, contents;
  for (;;) {
    const int tag = Tags(attributes, contents);
    if (tag == xtGeoMapEnd || tag == xtInvalidTag) return true;
    // What follows an element that is never closed cannot be told apart
    // from its contents: rather than end quietly, say so.
    if (tag == xtUnfinishedTag)
      throw EORVGeoMapError("<" + std::string(Element) + "> section: the <" + attributes +
                            "> tag breaks off (the text ends inside it or its closing tag never "
                            "comes); what follows it cannot be read");
    Visit(tag, attributes);
  }
}

bool TryOpenForReading(fw::TTextFile& F, const std::string& FName) {
  try {
    F.Reset(FName);
    return true;
  } catch (const fw::EInOutError&) {
    return false;
  }
}

} // namespace kartavo
