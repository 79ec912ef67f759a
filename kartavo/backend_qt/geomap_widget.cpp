#include "kartavo/backend_qt/geomap_widget.h"

#include "kartavo/backend_qt/qt_backend.h"

namespace kartavo::qt {

GeoMapWidget::GeoMapWidget(QWidget* Parent) : TSurfaceWidget(nullptr, Parent) {
  InstallBackend();
  FMap = new TGeoMap(nullptr);
  AttachControl(FMap);
}

GeoMapWidget::~GeoMapWidget() { delete FMap; }

} // namespace kartavo::qt
