// GeoAtlasWidget: the atlas control as a QWidget for Qt programs. It owns a
// TGeoAtlas that fills the widget: its command panel (pointer and zoom
// buttons, the list of maps) on top, the map it shows below. Maps are
// registered, chosen and zoomed between through Atlas(); the map shown is
// Atlas().CurrentMap().
//
//   QApplication app(argc, argv);
//   kartavo::qt::GeoAtlasWidget view;
//   view.Atlas().RegisterMap("world.xml");
#pragma once

#include "kartavo/backend_qt/control_widget.h"
#include "kartavo/framework/export.h"
#include "kartavo/geoatlas/geoatlas_control.h"

namespace kartavo::qt {

class KARTAVO_API GeoAtlasWidget : public TControlWidget<TGeoAtlas> {
public:
  explicit GeoAtlasWidget(QWidget* Parent = nullptr);
  ~GeoAtlasWidget() override;

  TGeoAtlas& Atlas() { return Owned(); }
  const TGeoAtlas& Atlas() const { return Owned(); }
};

} // namespace kartavo::qt
