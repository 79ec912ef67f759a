// Reading a map image file for the map control, and the helpers of the
// control's image operations that need no control: the pixel limit, the
// scaling of a calibration with its image, and the file names of renaming
// and saving a map.
#pragma once

#include "kartavo/framework/codec_progress.h"
#include "kartavo/framework/image_size_check.h"
#include "kartavo/framework/pixel_image.h"
#include "kartavo/geomap/calib_records.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kartavo {

// A map image may hold at most this many pixels (width x height).
constexpr int64_t MaxMapImagePixels = 3000000;

// True when an image of this size may be used as a map image.
bool MapImageSizeAllowed(int Width, int Height);
// The text of the refusal: "Cannot use map image, maximum of 3000000 pixels
// exceeded (size of map is W x H)".
std::string MapImageTooLargeText(int Width, int Height);

// Reads a map image: ".jpg"/".jpeg" as JPEG, ".bmp" as BMP, ".png" as PNG
// (the extension compared without regard to case), a file of any other name
// by its content. Corrupt files raise the codecs' EInvalidGraphic; nullopt
// when the file holds no image format that can be read. SizeCheck sees the
// picture's size before any pixel is stored and may refuse it by throwing.
std::optional<fw::TPixelImage> ReadMapImageFile(const std::string& FileName,
                                                const fw::TCodecProgress& Progress,
                                                const fw::TImageSizeCheck& SizeCheck = {});

// Scales every stored pixel position of the calibration (graticule points
// and calibration points) by Factor, rounding half to even.
void ScaleCalibrationPixels(TCalibData& CalData, double Factor);

// The image size after scaling by Factor, each edge rounded half to even.
int ScaledEdge(int Edge, double Factor);

// The new path of RenameMapImg: the directory and extension of Current with
// the file name of Name, without its directory and extension and reduced to
// short-file-name characters. Empty when nothing of Name remains.
std::string RenamedMapImagePath(const std::string& Current, const std::string& Name);

// The files SaveMap writes for FileName: the image "<name>.jpg" (a bare file
// name, written into Dir) and the calibration "<FileName without extension>.xml".
struct TSavedMapNames {
  std::string Dir;       // with its trailing separator; empty without a directory
  std::string ImageName; // file name only
  std::string CalibFile;
};
TSavedMapNames SavedMapNames(const std::string& FileName);

} // namespace kartavo
