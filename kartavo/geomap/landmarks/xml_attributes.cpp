#include "kartavo/geomap/landmarks/detail/xml_attributes.h"

#include "kartavo/companion/tessaro.h"
#include "kartavo/framework/detail/text_scan.h"
#include "kartavo/geomap/detail/calib_xml_numbers.h"

#include <charconv>
#include <cmath>

namespace kartavo::detail {
namespace {

struct TEntity {
  char Char;
  std::string_view Text;
};
constexpr TEntity kEntities[] = {{'"', "&quot;"}, {'\r', "&#13;"}, {'\n', "&#10;"}};

} // namespace

std::string EncodeXmlText(std::string_view Bytes) {
  std::string out;
  out.reserve(Bytes.size());
  for (char c : Bytes) {
    const TEntity* hit = nullptr;
    for (const TEntity& e : kEntities)
      if (e.Char == c) hit = &e;
    if (hit)
      out.append(hit->Text);
    else
      out.push_back(c);
  }
  return out;
}

std::string DecodeXmlText(std::string_view Value) {
  std::string out;
  out.reserve(Value.size());
  for (size_t i = 0; i < Value.size();) {
    const TEntity* hit = nullptr;
    if (Value[i] == '&')
      for (const TEntity& e : kEntities)
        if (Value.substr(i, e.Text.size()) == e.Text) hit = &e;
    if (hit) {
      out.push_back(hit->Char);
      i += hit->Text.size();
    } else {
      out.push_back(Value[i++]);
    }
  }
  return out;
}

std::string XmlColor(uint32_t Color) { return tessaro::Hex(Color, 8); }

uint32_t ScanXmlColor(std::string_view Value) {
  int pos = 1;
  return static_cast<uint32_t>(tessaro::ScanHex(std::string(Value), pos));
}

std::string XmlDouble(double Value) {
  if (!std::isfinite(Value)) return "0";
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, Value);
  return std::string(buf, r.ptr);
}

bool ScanXmlBool(std::string_view Value) {
  return fw::LowerAscii(Value).find("true") != std::string::npos;
}

void ScanSymbolLook(std::span<const std::string_view> Values, size_t First,
                    TSymbolProperties& Props) {
  const std::span<const std::string_view> v = Values.subspan(First, 6);
  Props.FGColor = ScanXmlColor(v[0]);
  Props.BGColor = ScanXmlColor(v[1]);
  Props.Size = ScanXmlInteger(v[2]);
  Props.Transparent = ScanXmlBool(v[3]);
  Props.Direction = ScanXmlInteger(v[4]);
  Props.Length = ScanXmlInteger(v[5]);
}

} // namespace kartavo::detail
