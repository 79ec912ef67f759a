// Saving a map: its calibration as an XML file and its image as a JPEG file
// beside it, so that loading the calibration brings back both.
#include "kartavo/framework/jpeg_codec.h"
#include "kartavo/geomap/detail/map_image_file.h"
#include "kartavo/geomap/geomap_control.h"

namespace kartavo {

void TGeoMap::SaveMap(const std::string& FileName, const std::string& DataID) {
  const TSavedMapNames names = SavedMapNames(FileName);
  FImage.SetName(names.ImageName);
  // The calibration is written first, recording the new image name.
  SaveCalDataAsXML(names.CalibFile, DataID);
  fw::WriteJpegFile(names.Dir + FImage.Name(), FImage.Bitmap().PixelImage(),
                    fw::kDefaultJpegQuality, ImageProgress());
}

} // namespace kartavo
