#include "kartavo/companion/tessaro.h"
#include "kartavo/framework/text_file.h"
#include "kartavo/geomap/calib_xml.h"
#include "kartavo/geomap/detail/calib_xml_numbers.h"
#include "kartavo/geomap/detail/calib_xml_text.h"
#include "kartavo/geomap/landmarks/detail/xml_attributes.h"
#include "kartavo/geomap/landmarks/element_names.h"
#include "kartavo/geomap/landmarks/landmark_xml.h"
#include "kartavo/geomap/landmarks/xml_section.h"

#include <array>

namespace kartavo {
namespace {
using namespace detail;

int32_t Integer(std::string_view v) { return ScanXmlInteger(v); }
uint8_t Byte(std::string_view v) { return static_cast<uint8_t>(Integer(v) & 0xFF); }
double Decimal(std::string_view v) { return ScanXmlDecimal(v, XmlNumberLenient); }

fw::TDateTime Date(std::string_view v) {
  int pos = 1;
  return tessaro::ScanDateTime(std::string(v), "yyyymmddHHMMSS", quillon::lanEnglish, pos);
}

fw::TFontStyles Styles(std::string_view v) {
  fw::TFontStyles s;
  for (size_t i = 0; i < 4 && i < v.size(); ++i)
    if (v[i] == '1') s.Include(static_cast<fw::TFontStyle>(i));
  return s;
}

template <size_t N> fw::ShortString<N> Text(std::string_view v) {
  return fw::ShortString<N>::FromBytes(DecodeXmlText(v));
}

std::string FontName(std::string_view v) {
  std::string bytes = DecodeXmlText(v);
  if (bytes.size() > MaxCaptionFontName) bytes.resize(MaxCaptionFontName);
  return fw::Cp1252ToUtf8(bytes);
}

// The attributes of a landmark element, in the order the writer puts them.
enum TAttr : uint8_t {
  aLat,
  aLong,
  aAlti,
  aClass,
  aUserTag,
  aElement,
  aColorFG,
  aColorBG,
  aSize,
  aTransp,
  aDir,
  aLeng,
  aId,
  aDate,
  aCapText,
  aCapSize,
  aCapFnm,
  aCapFGCol,
  aCapBGCol,
  aCapTransp,
  aCapDir,
  aCapDx,
  aCapDy,
  aCapHAl,
  aCapVAl,
  aCapFst,
  kAttrCount
};
// The look's six attributes stand together, as ScanSymbolLook reads them.
static_assert(LandMarkAttributeNames[aColorFG] == "colorfg" &&
              LandMarkAttributeNames[aLeng] == "leng" && aLeng == aColorFG + 5);

} // namespace

TLandMark LandMarkFromAttributes(std::string_view Attributes) {
  const auto v = SplitAttributes(Attributes, LandMarkAttributeNames);
  TLandMark lm;
  lm.Latitude = Decimal(v[aLat]);
  lm.Longitude = Decimal(v[aLong]);
  lm.Altitude = Decimal(v[aAlti]);
  lm.ClassFlag = Byte(v[aClass]);
  lm.Tag = Integer(v[aUserTag]);
  TSymbolProperties& s = lm.SymbolProps;
  s.Kind = ElementFromWord(v[aElement]);
  ScanSymbolLook(v, aColorFG, s);
  lm.Identifier = Text<15>(v[aId]);
  lm.Time = Date(v[aDate]);
  TLMTextProperties& c = lm.Caption;
  c.Text = Text<80>(v[aCapText]);
  c.Size = Integer(v[aCapSize]);
  c.FontName = FontName(v[aCapFnm]);
  c.FGColor = ScanXmlColor(v[aCapFGCol]);
  c.BGColor = ScanXmlColor(v[aCapBGCol]);
  c.Transparent = ScanXmlBool(v[aCapTransp]);
  c.Direction = Integer(v[aCapDir]);
  c.dx = Integer(v[aCapDx]);
  c.dy = Integer(v[aCapDy]);
  c.HAlignment = static_cast<fw::TAlignment>(Byte(v[aCapHAl]));
  c.VAlignment = static_cast<quillon::TVerticalAlignment>(Byte(v[aCapVAl]));
  c.FontStyles = Styles(v[aCapFst]);
  return lm;
}

bool ReadLandMarkSection(const TXmlLineSource& Lines, const TXmlTagSource& Tags,
                         const std::string& DataID, const std::function<void()>& Begin,
                         const std::function<void(const TLandMark&)>& Append) {
  return ReadXmlSection(Lines, Tags, "gmlandmarks", DataID, Begin,
                        [&](int tag, const std::string& attributes) {
                          if (tag == xtLandmark) Append(LandMarkFromAttributes(attributes));
                        });
}

bool ReadLandMarksFromOpenXMLFile(fw::TTextFile& F, const std::string& DataID,
                                  std::vector<TLandMark>& LandMarks) {
  return ReadLandMarkSection(
      TextFileLines(F), TextFileTags(F), DataID, [&] { LandMarks.clear(); },
      [&](const TLandMark& lm) { LandMarks.push_back(lm); });
}

bool LoadLandMarkFile(const std::string& FName, const std::string& DataID,
                      std::vector<TLandMark>& LandMarks) {
  fw::TTextFile f;
  if (!TryOpenForReading(f, FName)) return false;
  return ReadLandMarksFromOpenXMLFile(f, DataID, LandMarks);
}

} // namespace kartavo
