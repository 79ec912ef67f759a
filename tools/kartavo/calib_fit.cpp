// kartavo calib fit: a calibration from control points, fitted like the map
// control fits it, reported and written as an XML file.
#include "calib_commands.h"
#include "calib_diagnostics_report.h"
#include "calib_fit_check.h"
#include "calib_report.h"
#include "cli.h"
#include "line_stream.h"

#include "kartavo/framework/text_file.h"
#include "kartavo/geomap/calib_fits.h"
#include "kartavo/geomap/calib_xml.h"
#include "kartavo/geomap/geo_conversion.h"

#include <fstream>
#include <iostream>
#include <stdexcept>

namespace kcli {
using namespace kartavo;

TCalibModel FitModel(const std::string& name) {
  for (size_t i = 0; i < CalibModelNames.size(); ++i)
    if (name == CalibModelNames[i] && i != cmParabolicIp && i != cmUndefined)
      return static_cast<TCalibModel>(i);
  throw CLI::ValidationError("--model", "unknown point-based model \"" + name + "\"");
}

// "32N" or "33s": the zone 1..60 and whether it lies south.
void ParseZone(const std::string& text, int& zone, bool& south) {
  const char last = text.empty() ? '\0' : static_cast<char>(std::toupper(text.back()));
  if ((last != 'N' && last != 'S') || !ParseInt(text.substr(0, text.size() - 1), zone) ||
      zone < 1 || zone > 60)
    throw CLI::ValidationError("--utm", "expected a zone 1..60 and N or S, got \"" + text + "\"");
  south = last == 'S';
}

namespace {

// Where a control point may lie: on the image, at a position on the
// ellipsoid, or (UTM) within the zone's coordinates.
std::string PointOutOfRange(const TCalQuad& q, bool utm, int width, int height) {
  if (q.MapX < 0 || q.MapX > width || q.MapY < 0 || q.MapY > height)
    return "pixel " + std::to_string(q.MapX) + " " + std::to_string(q.MapY) +
           " lies outside the image (0 ... " + std::to_string(width) + ", 0 ... " +
           std::to_string(height) + ")";
  if (utm) {
    if (q.Latitude < 0 || q.Latitude > 10000000) return "northing outside 0 ... 10000000";
    if (q.Longitude < 0 || q.Longitude > 1000000) return "easting outside 0 ... 1000000";
    return {};
  }
  if (q.Latitude < -90 || q.Latitude > 90) return "latitude outside -90 ... 90";
  if (q.Longitude < -180 || q.Longitude > 180) return "longitude outside -180 ... 180";
  return {};
}

// Reads "a b x y" lines (blank lines and lines starting with # are skipped).
void ReadControlPoints(std::istream& in, const std::string& name, const CalibFitArgs& args,
                       TCalibData& cd) {
  std::string line;
  for (int no = 1; std::getline(in, line); ++no) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const LineFields fields = SplitLine(line);
    if (fields.empty() || fields[0][0] == '#') continue;
    const std::string where = name + " line " + std::to_string(no) + ": ";
    TCalQuad q;
    if (fields.size() != 4 || !ParseNumber(fields[0], q.Latitude) ||
        !ParseNumber(fields[1], q.Longitude) || !ParseInteger(fields[2], q.MapX) ||
        !ParseInteger(fields[3], q.MapY))
      throw std::runtime_error(where +
                               "expected four numbers \"a b x y\" (x, y whole pixels), "
                               "got " +
                               QuoteLine(line));
    const std::string range =
        PointOutOfRange(q, !args.Utm.empty(), args.Size.first, args.Size.second);
    if (!range.empty()) throw std::runtime_error(where + range + ": " + QuoteLine(line));
    if (cd.NumCalQuads == MaxCalQuads)
      throw std::runtime_error(name + ": more than " + std::to_string(MaxCalQuads) +
                               " control points");
    cd.CalQuads[++cd.NumCalQuads] = q;
  }
}

} // namespace

void Doubt(const std::string& command, const std::string& reason, bool force) {
  if (reason.empty()) return;
  if (!force) throw std::runtime_error(reason + " (--force writes it all the same)");
  std::cerr << "kartavo " << command << ": warning: " << reason << '\n';
}

void FitAndWrite(const std::string& command, const CalibFitArgs& args, TCalibModel model,
                 TCalibData& cd) {
  Doubt(command, UndeterminedReason(model, cd), args.Force);
  const auto [w, h] = args.Size;
  TModelParams pars;
  tessaro::TMatrix grat(5, 1);
  FitCalibModel(model, cd, w, h, pars);
  const TGeoRef ref{model, cd, pars, grat};
  CalcExtentsAndResolution(ref, w, h, cd.Corners, cd.Resolution);
  const CalibResidual residual = CalibResiduals(ref);
  PrintCalibReport(std::cout, model, cd, residual);
  Doubt(command, UntrustedFitReason(cd, residual, w, h), args.Force);
  if (args.Output.empty()) return;
  fw::TTextFile f;
  f.Rewrite(args.Output);
  WriteRawCalDataToOpenXMLFile(f, true, args.Id, cd, model);
  f.Close();
  std::cout << "written     " << args.Output << '\n';
}

void RunCalibFit(const CalibFitArgs& args) {
  // With --compare every model is fitted; --utm then only says what the points are.
  const TCalibModel model = args.Compare ? cmUTM : FitModel(args.Model);
  TCalibData cd;
  cd.UTMZone = -1;
  cd.MapFName = args.Map;
  cd.Caption = args.Caption;
  if (!args.Utm.empty()) {
    if (model != cmUTM) throw CLI::ValidationError("--utm", "needs --model utm");
    ParseZone(args.Utm, cd.UTMZone, cd.UTMSouth);
  } else if (model == cmUTM && !args.Compare) {
    throw CLI::ValidationError("--model", "utm needs --utm ZONE[N|S]");
  }
  if (args.Points.empty() || args.Points == "-") {
    ReadControlPoints(std::cin, "standard input", args, cd);
  } else {
    std::ifstream in(args.Points);
    if (!in) throw std::runtime_error("cannot open " + args.Points);
    ReadControlPoints(in, args.Points, args, cd);
  }
  if (cd.NumCalQuads == 0) throw std::runtime_error("no control points");
  if (args.Compare)
    PrintModelComparison(std::cout, CompareCalibModels(cd, args.Size.first, args.Size.second));
  else
    FitAndWrite("calib fit", args, model, cd);
}

} // namespace kcli
