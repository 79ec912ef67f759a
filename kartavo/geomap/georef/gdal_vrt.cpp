#include "kartavo/geomap/georef/gdal_vrt.h"

#include "kartavo/framework/text_file.h"
#include "kartavo/geomap/georef/detail/field_text.h"
#include "kartavo/geomap/georef/detail/image_bands.h"
#include "kartavo/geomap/georef/georef_crs.h"
#include "kartavo/package/exceptions.h"

#include <array>
#include <filesystem>
#include <sstream>

namespace kartavo {
namespace {
using namespace georef;
namespace fs = std::filesystem;

constexpr int GraticuleGrid = 5;

std::string XmlEscaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
    case '&':
      out += "&amp;";
      break;
    case '<':
      out += "&lt;";
      break;
    case '>':
      out += "&gt;";
      break;
    case '"':
      out += "&quot;";
      break;
    default:
      out += c;
    }
  }
  return out;
}

std::vector<TGroundControlPoint> GraticuleGcps(const TGeoRef& ref, int w, int h) {
  std::vector<TGroundControlPoint> gcps;
  for (int j = 0; j < GraticuleGrid; ++j)
    for (int i = 0; i < GraticuleGrid; ++i) {
      TGroundControlPoint g{double(w) * i / (GraticuleGrid - 1),
                            double(h) * j / (GraticuleGrid - 1), 0, 0};
      if (CalcPositionOfPixel(ref, g.Pixel, g.Line, g.Y, g.X)) gcps.push_back(g);
    }
  return gcps;
}

// The image as the VRT names it, and whether relative to the VRT's folder.
std::pair<std::string, bool> SourceName(const std::string& vrt, const std::string& image) {
  std::error_code ec;
  const fs::path dir = fs::absolute(fs::path(vrt), ec).parent_path();
  const fs::path img = fs::absolute(fs::path(image), ec);
  const fs::path rel = img.lexically_relative(dir);
  if (!rel.empty() && img.root_path() == dir.root_path()) return {rel.generic_string(), true};
  return {img.generic_string(), false};
}

const char* ColorInterp(const TImageBands& b, int band) {
  static const std::array<const char*, 4> rgba = {"Red", "Green", "Blue", "Alpha"};
  if (b.Palette || b.Count >= 3) return rgba[static_cast<size_t>(band - 1)];
  return band == 1 ? "Gray" : "Alpha";
}

void WriteBand(std::ostream& out, const TImageBands& b, int band, const std::string& source,
               bool relative) {
  out << "  <VRTRasterBand dataType=\"" << (b.Sixteen ? "UInt16" : "Byte") << "\" band=\"" << band
      << "\">\n    <ColorInterp>" << ColorInterp(b, band) << "</ColorInterp>\n";
  const char* kind = b.Palette ? "ComplexSource" : "SimpleSource";
  out << "    <" << kind << ">\n      <SourceFilename relativeToVRT=\"" << (relative ? 1 : 0)
      << "\">" << XmlEscaped(source) << "</SourceFilename>\n      <SourceBand>"
      << (b.Palette ? 1 : band) << "</SourceBand>\n";
  if (b.Palette) out << "      <ColorTableComponent>" << band << "</ColorTableComponent>\n";
  out << "    </" << kind << ">\n  </VRTRasterBand>\n";
}

std::string VrtText(const TImageBands& b, const std::pair<std::string, bool>& source,
                    const TGeorefCrs& crs, const std::vector<TGroundControlPoint>& gcps) {
  std::ostringstream out;
  out << "<VRTDataset rasterXSize=\"" << b.Width << "\" rasterYSize=\"" << b.Height << "\">\n";
  out << "  <GCPList Projection=\"" << XmlEscaped(crs.Wkt) << "\" dataAxisToSRSAxisMapping=\""
      << (crs.Utm ? "1,2" : "2,1") << "\">\n";
  for (size_t i = 0; i < gcps.size(); ++i) {
    const TGroundControlPoint& g = gcps[i];
    out << "    <GCP Id=\"" << i + 1 << "\" Info=\"\" Pixel=\"" << ExactDecimal(g.Pixel)
        << "\" Line=\"" << ExactDecimal(g.Line) << "\" X=\"" << ExactDecimal(g.X) << "\" Y=\""
        << ExactDecimal(g.Y) << "\" Z=\"0\"/>\n";
  }
  out << "  </GCPList>\n";
  const int bands = b.Palette ? 3 : b.Count;
  for (int band = 1; band <= bands; ++band)
    WriteBand(out, b, band, source.first, source.second);
  out << "</VRTDataset>\n";
  return out.str();
}

} // namespace

std::vector<TGroundControlPoint> CalibrationGcps(const TGeoRef& ref, int Width, int Height) {
  if (ref.Model == cmParabolicIp) return GraticuleGcps(ref, Width, Height);
  std::vector<TGroundControlPoint> gcps;
  if (ref.Model == cmUndefined) return gcps;
  const TCalibData& cd = ref.CalibData;
  for (int i = 1; i <= CalQuadCount(cd); ++i) {
    const TCalQuad& q = cd.CalQuads[i];
    gcps.push_back({double(q.MapX), double(q.MapY), q.Longitude, q.Latitude});
  }
  return gcps;
}

int WriteGdalVrt(const std::string& VrtPath, const std::string& ImagePath, const TGeoRef& ref) {
  const TImageBands bands = ReadImageBands(ImagePath);
  const std::vector<TGroundControlPoint> gcps = CalibrationGcps(ref, bands.Width, bands.Height);
  if (gcps.size() < 3)
    throw EORVGeoMapError("the calibration gives " + std::to_string(gcps.size()) +
                          " ground control points: gdalwarp needs at least three");
  const TGeorefCrs crs = CalibrationCrs(ref.Model, ref.CalibData);
  const std::string text = VrtText(bands, SourceName(VrtPath, ImagePath), crs, gcps);
  fw::TTextFile f;
  f.Rewrite(VrtPath);
  f.Write(text);
  f.Close();
  return static_cast<int>(gcps.size());
}

} // namespace kartavo
