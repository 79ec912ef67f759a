#include "kartavo/geomap/georef/world_file.h"

#include "kartavo/companion/tessaro.h"
#include "kartavo/geomap/georef/detail/field_text.h"
#include "kartavo/geomap/georef/detail/ground_scale.h"
#include "kartavo/geomap/lsq_solver.h"
#include "kartavo/package/exceptions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <vector>

namespace kartavo {
namespace {
using namespace georef;

constexpr int Samples = 17; // per edge
constexpr int MaxImageEdge = 1000000;

struct TSample {
  double x, y; // map-image pixel
  double X, Y; // map coordinates
};

// X and Y of a pixel: longitude and latitude, or easting and northing.
bool MapCoords(const TGeoRef& ref, double x, double y, double& X, double& Y) {
  if (ref.Model == cmUTM) return CalcUTMOfPixel(ref, x, y, Y, X);
  return CalcPositionOfPixel(ref, x, y, Y, X);
}

std::vector<TSample> SampleImage(const TGeoRef& ref, int w, int h) {
  std::vector<TSample> s;
  for (int i = 0; i < Samples; ++i)
    for (int j = 0; j < Samples; ++j) {
      TSample p{double(w) * i / (Samples - 1), double(h) * j / (Samples - 1), 0, 0};
      if (MapCoords(ref, p.x, p.y, p.X, p.Y) && std::isfinite(p.X) && std::isfinite(p.Y))
        s.push_back(p);
    }
  return s;
}

// Least-squares coefficients c of value = c1 + c2·x + c3·y.
bool FitPlane(const std::vector<TSample>& s, double TSample::*value, std::array<double, 3>& c) {
  const int n = static_cast<int>(s.size());
  tessaro::TMatrix a(3, n);
  tessaro::TVector b(n), r(3);
  for (int i = 1; i <= n; ++i) {
    const TSample& p = s[static_cast<size_t>(i - 1)];
    a.SetVal(1, i, 1);
    a.SetVal(2, i, p.x);
    a.SetVal(3, i, p.y);
    b.SetVal(i, p.*value);
  }
  bool discarded = false;
  if (!SolveLinLeastSquares(a, b, r, discarded) || discarded) return false;
  for (int k = 0; k < 3; ++k)
    c[static_cast<size_t>(k)] = r.GetVal(k + 1);
  return true;
}

// The relation in world-file terms from X = cx1 + cx2·x + cx3·y and the same
// for Y, x and y being map-image pixels: pixel centres lie half a pixel in.
TAffineGeoref FromPixelRelation(const std::array<double, 3>& cx, const std::array<double, 3>& cy) {
  TAffineGeoref g;
  g.A = cx[1];
  g.B = cx[2];
  g.C = cx[0] + (cx[1] + cx[2]) / 2;
  g.D = cy[1];
  g.E = cy[2];
  g.F = cy[0] + (cy[1] + cy[2]) / 2;
  return g;
}

// How far the relation strays from the sampled model.
void MeasureFit(const std::vector<TSample>& s, bool utm, TAffineGeoref& g) {
  const double det = g.A * g.E - g.B * g.D;
  double sumPx = 0, sumM = 0;
  for (const TSample& p : s) {
    const double col = p.x - 0.5, row = p.y - 0.5;
    const double dX = g.A * col + g.B * row + g.C - p.X;
    const double dY = g.D * col + g.E * row + g.F - p.Y;
    // The difference back in pixels through the relation's own inverse.
    const double px = (g.E * dX - g.B * dY) / det, py = (-g.D * dX + g.A * dY) / det;
    const double pixels = std::hypot(px, py);
    const TGroundScale k = utm ? TGroundScale{1, 1} : GroundScaleAt(p.Y);
    const double metres = std::hypot(dY * k.North, dX * k.East);
    sumPx += pixels * pixels;
    sumM += metres * metres;
    g.MaxPixels = std::max(g.MaxPixels, pixels);
  }
  g.RmsPixels = std::sqrt(sumPx / double(s.size()));
  g.RmsMetres = std::sqrt(sumM / double(s.size()));
}

TAffineGeoref ExactGeoref(const TGeoRef& ref) {
  const TAffineParams& e = ref.Pars.EquRectPLSP; // row 1 latitude/northing, row 2 longitude/easting
  TAffineGeoref g = FromPixelRelation({e(2, 1), e(2, 2), e(2, 3)}, {e(1, 1), e(1, 2), e(1, 3)});
  g.Exact = true;
  return g;
}

} // namespace

TAffineGeoref CalcAffineGeoref(const TGeoRef& ref, int Width, int Height) {
  if (Width < 1 || Height < 1 || Width > MaxImageEdge || Height > MaxImageEdge)
    throw EORVGeoMapError("image size " + std::to_string(Width) + " x " + std::to_string(Height) +
                          " is outside 1 ... 1000000");
  TAffineGeoref g;
  const std::vector<TSample> s = SampleImage(ref, Width, Height);
  if (s.size() < 3)
    throw EORVGeoMapError("the calibration (model " +
                          std::string(CalibModelNames[std::min<size_t>(ref.Model, cmUndefined)]) +
                          ") gives no positions on the image");
  if (ref.Model == cmEquiRect || ref.Model == cmUTM) {
    g = ExactGeoref(ref);
  } else {
    std::array<double, 3> cx{}, cy{};
    if (!FitPlane(s, &TSample::X, cx) || !FitPlane(s, &TSample::Y, cy))
      throw EORVGeoMapError("the calibration's positions on the image give no affine relation");
    g = FromPixelRelation(cx, cy);
  }
  // Rounding leaves a trace of area where the relation has none.
  const double det = g.A * g.E - g.B * g.D, scale = std::fabs(g.A * g.E) + std::fabs(g.B * g.D);
  if (!std::isfinite(det) || !(std::fabs(det) > 1e-9 * scale))
    throw EORVGeoMapError("the calibration maps the image onto a line or a point");
  if (!g.Exact) MeasureFit(s, ref.Model == cmUTM, g);
  return g;
}

std::string WorldFileText(const TAffineGeoref& g) {
  std::string text;
  for (double v : {g.A, g.D, g.B, g.E, g.C, g.F})
    text += ExactDecimal(v) + "\n";
  return text;
}

std::string WorldFileName(const std::string& ImagePath) {
  static const std::array<std::pair<const char*, const char*>, 7> named = {{{".JPG", ".jgw"},
                                                                            {".JPEG", ".jgw"},
                                                                            {".PNG", ".pgw"},
                                                                            {".BMP", ".bpw"},
                                                                            {".TIF", ".tfw"},
                                                                            {".TIFF", ".tfw"},
                                                                            {".GIF", ".gfw"}}};
  std::filesystem::path p(ImagePath);
  const std::string ext = Upper(p.extension().string());
  const char* world = ".wld";
  for (const auto& [image, file] : named)
    if (ext == image) world = file;
  p.replace_extension(world);
  return p.string();
}

} // namespace kartavo
