#include "calib_diagnostics_report.h"

#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>

namespace kcli {
namespace {
using namespace kartavo;

std::string Fixed(double v, int decimals, int width = 0) {
  char buf[64];
  if (!std::isfinite(v))
    std::snprintf(buf, sizeof buf, "%*s", width, "-");
  else // no "-0.000" for what rounds to zero
    std::snprintf(buf, sizeof buf, "%*.*f", width, decimals,
                  std::fabs(v) < 0.5 * std::pow(10.0, -decimals) ? 0.0 : v);
  return buf;
}

std::string Right(const std::string& text, int width) {
  return std::string(text.size() < size_t(width) ? size_t(width) - text.size() : 0, ' ') + text;
}

void PrintWarnings(std::ostream& out, const std::vector<std::string>& warnings) {
  for (const std::string& w : warnings)
    out << "warning      " << w << '\n';
}

} // namespace

void PrintResiduals(std::ostream& out, const TGeoRef& ref, const TCalibDiagnostics& d) {
  const bool utm = ref.Model == cmUTM;
  const int decimals = utm ? 2 : 7;
  out << "residuals    the model's pixel for each point's position minus its pixel, and the\n"
         "             same on the ground; the largest is marked\n";
  out << "  point" << Right(utm ? "northing" : "lat", 15) << Right(utm ? "easting" : "lon", 13)
      << "       x       y       dx       dy   pixels     metres\n";
  for (const TPointResidual& r : d.Points) {
    const TCalQuad& q = ref.CalibData.CalQuads[r.Index];
    out << Right(std::to_string(r.Index), 7) << Fixed(q.Latitude, decimals, 15)
        << Fixed(q.Longitude, decimals, 13) << Right(std::to_string(q.MapX), 8)
        << Right(std::to_string(q.MapY), 8);
    if (!r.Valid) {
      out << "   the model places no pixel here\n";
      continue;
    }
    out << Fixed(r.Dx, 3, 9) << Fixed(r.Dy, 3, 9) << Fixed(r.Pixels, 3, 9) << Fixed(r.Metres, 1, 11)
        << (r.Index == d.Worst ? "  <- largest" : "") << '\n';
  }
  out << "rms          ";
  if (d.Redundancy >= 1)
    out << Fixed(d.Rms, 3) << " pixels (x " << Fixed(d.RmsX, 3) << ", y " << Fixed(d.RmsY, 3)
        << "), " << Fixed(d.RmsMetres, 1) << " m, over " << d.Redundancy << " degrees of freedom ("
        << d.Used << " points, " << d.Terms << " coefficients per coordinate); "
        << Fixed(d.RmsPlain, 3) << " pixels over the number of points\n";
  else
    out << "none: " << d.Used << " points, " << d.Terms << " coefficients per coordinate\n";
  PrintWarnings(out, d.Warnings);
}

void PrintModelComparison(std::ostream& out, const std::vector<TModelComparison>& rows) {
  out << "model               points  dof   rms px    rms m  largest px  point\n";
  for (const TModelComparison& c : rows) {
    const std::string name(CalibModelNames[c.Model]);
    out << name << std::string(name.size() < 18 ? 18 - name.size() : 1, ' ');
    if (!c.Skipped.empty()) {
      out << "  not fitted: " << c.Skipped << '\n';
      continue;
    }
    const TCalibDiagnostics& d = c.Diagnostics;
    const double worst = d.Worst > 0 ? d.Points[size_t(d.Worst - 1)].Pixels : NAN;
    out << Right(std::to_string(d.Used), 8) << Right(std::to_string(d.Redundancy), 5);
    if (d.Redundancy >= 1)
      out << Fixed(d.Rms, 3, 9) << Fixed(d.RmsMetres, 1, 9);
    else
      out << Right("-", 9) << Right("-", 9);
    out << Fixed(worst, 3, 12) << Right(d.Worst > 0 ? std::to_string(d.Worst) : "-", 7) << '\n';
  }
  out << "(rms over the degrees of freedom: points minus coefficients per coordinate)\n";
}

} // namespace kcli
