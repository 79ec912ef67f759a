#include "kartavo/framework/screen.h"
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/output/picture_copy.h"

namespace kartavo {

void TGeoMap::CopyToClipboard() {
  const auto picture = FramelessPicture(FImage.Aux(), Width(), Height());
  fw::Clipboard().Assign(picture.get());
}

} // namespace kartavo
