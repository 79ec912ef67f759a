// GeoMapWidget: the map control as a QWidget for Qt programs. It owns a
// TGeoMap that fills the widget; everything the map does (loading
// calibrations, zooming, landmarks, mouse modes) goes through Map().
//
//   QApplication app(argc, argv);
//   kartavo::qt::GeoMapWidget view;
//   view.Map().LoadCalDataFromXML("map.xml", "");
#pragma once

#include "kartavo/backend_qt/control_widget.h"
#include "kartavo/framework/export.h"
#include "kartavo/geomap/geomap_control.h"

namespace kartavo::qt {

class KARTAVO_API GeoMapWidget : public TControlWidget<TGeoMap> {
public:
  explicit GeoMapWidget(QWidget* Parent = nullptr);
  ~GeoMapWidget() override;

  TGeoMap& Map() { return Owned(); }
  const TGeoMap& Map() const { return Owned(); }
};

} // namespace kartavo::qt
