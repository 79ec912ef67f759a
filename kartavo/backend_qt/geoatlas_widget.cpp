#include "kartavo/backend_qt/geoatlas_widget.h"

namespace kartavo::qt {

GeoAtlasWidget::GeoAtlasWidget(QWidget* Parent) : TControlWidget(Parent) {}

GeoAtlasWidget::~GeoAtlasWidget() = default;

} // namespace kartavo::qt
