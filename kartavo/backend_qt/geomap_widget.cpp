#include "kartavo/backend_qt/geomap_widget.h"

namespace kartavo::qt {

GeoMapWidget::GeoMapWidget(QWidget* Parent) : TControlWidget(Parent) {}

GeoMapWidget::~GeoMapWidget() = default;

} // namespace kartavo::qt
