// kartavo calib fit: a calibration from control points, fitted like the map
// control fits it, reported and written as an XML file.
#include "calib_commands.h"
#include "calib_report.h"
#include "cli.h"

#include "kartavo/framework/text_file.h"
#include "kartavo/geomap/calib_xml.h"
#include "kartavo/geomap/geo_conversion.h"

#include <fstream>
#include <iostream>
#include <stdexcept>

namespace kcli {
namespace {
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

// Reads "a b x y" lines (blank lines and lines starting with # are skipped).
void ReadControlPoints(std::istream& in, const std::string& name, TCalibData& cd) {
  std::string line;
  for (int no = 1; std::getline(in, line); ++no) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto fields = SplitFields(line);
    if (fields.empty() || fields[0][0] == '#') continue;
    TCalQuad q;
    if (fields.size() != 4 || !ParseDouble(fields[0], q.Latitude) ||
        !ParseDouble(fields[1], q.Longitude) || !ParseInt(fields[2], q.MapX) ||
        !ParseInt(fields[3], q.MapY))
      throw std::runtime_error(name + " line " + std::to_string(no) +
                               ": expected four numbers \"a b x y\", got \"" + line + "\"");
    if (cd.NumCalQuads == MaxCalQuads)
      throw std::runtime_error(name + ": more than " + std::to_string(MaxCalQuads) +
                               " control points");
    cd.CalQuads[++cd.NumCalQuads] = q;
  }
}

} // namespace

void RunCalibFit(const CalibFitArgs& args) {
  TCalibModel model = FitModel(args.Model);
  TCalibData cd;
  cd.UTMZone = -1;
  cd.MapFName = args.Map;
  cd.Caption = args.Caption;
  if (!args.Utm.empty()) {
    if (model != cmUTM) throw CLI::ValidationError("--utm", "needs --model utm");
    ParseZone(args.Utm, cd.UTMZone, cd.UTMSouth);
  } else if (model == cmUTM) {
    throw CLI::ValidationError("--model", "utm needs --utm ZONE[N|S]");
  }
  if (args.Points.empty() || args.Points == "-") {
    ReadControlPoints(std::cin, "standard input", cd);
  } else {
    std::ifstream in(args.Points);
    if (!in) throw std::runtime_error("cannot open " + args.Points);
    ReadControlPoints(in, args.Points, cd);
  }
  if (cd.NumCalQuads < 3)
    throw std::runtime_error("need at least 3 control points, got " +
                             std::to_string(cd.NumCalQuads));

  const auto [w, h] = args.Size;
  TModelParams pars;
  tessaro::TMatrix grat(5, 1);
  FitCalibration(model, cd, w, h, pars);
  const TGeoRef ref{model, cd, pars, grat};
  CalcExtentsAndResolution(ref, w, h, cd.Corners, cd.Resolution);
  PrintCalibReport(std::cout, model, cd, CalibResiduals(ref));
  if (!args.Output.empty()) {
    fw::TTextFile f;
    f.Rewrite(args.Output);
    WriteRawCalDataToOpenXMLFile(f, true, args.Id, cd, model);
    f.Close();
    std::cout << "written     " << args.Output << '\n';
  }
}

} // namespace kcli
