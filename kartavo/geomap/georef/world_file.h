// A calibrated map as an affine relation from map-image pixels to map
// coordinates: the six numbers of a world file (.jgw, .pgw, .wld), which GIS
// programs read beside an image. X is the longitude and Y the latitude
// (degrees, WGS 84), or under the utm model the easting and northing in the
// map's zone. The equirectangular and UTM models are affine themselves and
// are written exactly; every other model gets the affine relation that fits
// its conversion best over the whole image, and how far that relation
// strays from the model is reported.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/geomap/geo_conversion.h"

#include <string>

namespace kartavo {

struct TAffineGeoref {
  // X = A·column + B·row + C and Y = D·column + E·row + F, where column and
  // row count whole pixels, (0, 0) being the centre of the top-left pixel
  // (map-image pixel 0.5, 0.5). In the order of the file: A, D, B, E, C, F.
  double A = 0, D = 0, B = 0, E = 0, C = 0, F = 0;
  bool Exact = false; // the model itself is affine
  // Of the fitted relation against the model over the image (0 when exact):
  double RmsPixels = 0; // root-mean-square distance, in map-image pixels
  double MaxPixels = 0; // largest distance
  double RmsMetres = 0; // the same on the ground
};

// Samples the image (0 ... Width, 0 ... Height) on a 17 x 17 grid for models
// that are not affine. Raises EORVGeoMapError for an image size outside
// 1 ... 1000000, a model that converts no pixel (undefined, a graticule
// without two lines of each kind), or conversions that give no affine
// relation (all samples on one line).
KARTAVO_API TAffineGeoref CalcAffineGeoref(const TGeoRef& ref, int Width, int Height);

// The six lines of the world file, each number in its shortest exact form.
KARTAVO_API std::string WorldFileText(const TAffineGeoref& g);

// The world file that belongs to an image file, in the image's folder, named
// as GDAL and QGIS look for it: ".jgw" for .jpg/.jpeg, ".pgw" for .png,
// ".bpw" for .bmp (GDAL's BMP reader ignores ".wld"), ".tfw" for .tif/.tiff,
// ".gfw" for .gif, ".wld" for any other.
KARTAVO_API std::string WorldFileName(const std::string& ImagePath);

} // namespace kartavo
