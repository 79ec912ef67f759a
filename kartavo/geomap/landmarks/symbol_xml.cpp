// The symbol repository's file: a header line of the "lmsymbols" element,
// one "symbol" element a line, the closing tag.
#include "kartavo/framework/text_file.h"
#include "kartavo/geomap/calib_xml.h"
#include "kartavo/geomap/detail/calib_xml_numbers.h"
#include "kartavo/geomap/landmarks/detail/xml_attributes.h"
#include "kartavo/geomap/landmarks/symbol_repository.h"
#include "kartavo/geomap/landmarks/xml_section.h"

namespace kartavo {
namespace {
using namespace detail;

enum TAttr : uint8_t {
  aElement,
  aName,
  aCategory,
  aColorFG,
  aColorBG,
  aSize,
  aTransp,
  aDir,
  aLeng
};
// The look's six attributes stand together, as ScanSymbolLook reads them.
static_assert(SymbolAttributeNames[aColorFG] == "colorfg" &&
              SymbolAttributeNames[aLeng] == "leng" && aLeng == aColorFG + 5);

std::string Quoted(std::string_view name, std::string_view value) {
  return " " + std::string(name) + "=\"" + std::string(value) + "\"";
}

} // namespace

std::string SymbolElementLine(const TSymbol& Symbol) {
  const TSymbolProperties& p = Symbol.Properties;
  return "<symbol" + Quoted("element", ElementWord(p.Kind)) +
         Quoted("name", EncodeXmlText(Symbol.Name.Bytes())) +
         Quoted("category", std::to_string(Symbol.Category)) +
         Quoted("colorfg", XmlColor(p.FGColor)) + Quoted("colorbg", XmlColor(p.BGColor)) +
         Quoted("size", std::to_string(p.Size)) + Quoted("transp", XmlBool(p.Transparent)) +
         Quoted("dir", std::to_string(p.Direction)) + Quoted("leng", std::to_string(p.Length)) +
         " />";
}

TSymbol SymbolFromAttributes(std::string_view Attributes) {
  const auto v = SplitAttributes(Attributes, SymbolAttributeNames);
  TSymbol s = DefaultSymbolRecord();
  s.Category = ScanXmlInteger(v[aCategory]);
  s.Name = fw::ShortString<40>::FromBytes(DecodeXmlText(v[aName]));
  ScanSymbolLook(v, aColorFG, s.Properties);
  s.Properties.Kind = SymbolElementFromWord(v[aElement]);
  return s;
}

void TSymbolRepository::StoreOnFile(const std::string& FName, const std::string& DataID) const {
  fw::TTextFile f;
  f.Rewrite(FName);
  f.WriteLn("<?xml version=\"1.0\"?>");
  f.WriteLn();
  f.WriteLn("<!-- TGeoMap Landmark Repository / ORV Component Suite -->");
  f.WriteLn("<lmsymbols sig=\"ORVCSuite\" vers=\"1.0\" id=\"" +
            EncodeXmlText(fw::Utf8ToCp1252(DataID)) + "\">");
  for (int ix = 1; ix <= FNEntries; ++ix)
    f.WriteLn(SymbolElementLine(FSymbols[static_cast<size_t>(ix - 1)]));
  f.WriteLn("</lmsymbols>");
  f.Close();
}

bool TSymbolRepository::ReadFromOpenXMLFile(fw::TTextFile& F, const std::string& DataID) {
  return ReadXmlSection(
      TextFileLines(F), TextFileTags(F), "lmsymbols", DataID,
      [this] {
        FSymbols.assign(1000, TSymbol{});
        FNEntries = 0;
      },
      [this](int tag, const std::string& attributes) {
        if (tag == xtSymbol) Append(SymbolFromAttributes(attributes));
      });
}

} // namespace kartavo
