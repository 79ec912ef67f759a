// A Qt program that shows a calibrated map: the map widget in a window,
// dragging pans, the wheel zooms, the title shows the position under the
// pointer. Usage: example_qt_map MAP.xml
#include "kartavo/backend_qt/geomap_widget.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s MAP.xml\n", argv[0]);
    return 2;
  }
  kartavo::qt::GeoMapWidget view;
  kartavo::TGeoMap& map = view.Map();
  try {
    if (!map.LoadCalDataFromXML(argv[1], "")) throw std::runtime_error("no calibration found");
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, "example_qt_map", QString::fromStdString(e.what()));
    return 1;
  }
  // The wheel zooms by a quarter a notch about the point under the pointer.
  map.OnMouseWheel = [&map](fw::TObject*, fw::TShiftState, int delta, fw::TPoint at, bool& done) {
    const fw::TPoint c = map.ScreenToClient(at);
    const double m = map.Magnification(), m2 = m * (delta > 0 ? 1.25 : 0.8);
    const quillon::TPoint tl = map.TopLeft();
    map.SetSuppressPaint(true);
    map.SetMagnification(m2);
    map.SetTopLeft(
        {static_cast<int>(tl.X + c.X / m - c.X / m2), static_cast<int>(tl.Y + c.Y / m - c.Y / m2)});
    map.SetSuppressPaint(false);
    done = true;
  };
  map.OnMouseMove = [&](fw::TObject*, fw::TShiftState, int x, int y) {
    bool ok1 = false, ok2 = false;
    const quillon::TPoint p = map.ControlToMapImage({x, y});
    const double lat = map.CalcLatitude(p, ok1), lon = map.CalcLongitude(p, ok2);
    view.setWindowTitle(ok1 && ok2 ? QString("%1, %2").arg(lat, 0, 'f', 5).arg(lon, 0, 'f', 5)
                                   : QString("outside the map"));
  };
  view.resize(800, 600);
  view.show();
  return app.exec();
}
