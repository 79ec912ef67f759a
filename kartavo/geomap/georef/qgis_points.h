// Control points as the QGIS georeferencer saves them (".points" files), read
// into calibration points.
//
// The file is comma-separated text: an optional first line "#CRS: <text>"
// naming the coordinate system of the map coordinates (WKT, "EPSG:nnnn" or a
// PROJ string), a header line naming the columns (mapX, mapY, sourceX or
// pixelX, sourceY or pixelY, enable; dX, dY and residual are the
// georeferencer's own results and are not read), then one point a line.
// sourceX and sourceY are image coordinates with rows counted *upwards* from
// the image's top edge, so that every point on the image has a row of zero or
// below; a map-image pixel (x, y) is (sourceX, -sourceY). Both count from the
// image's top-left corner, as map-image pixels do.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/geobasics/ellipsoid_types.h"
#include "kartavo/geomap/calib_records.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace kartavo {

// One control point of the file.
struct TGeorefPoint {
  double MapX = 0;   // longitude or easting
  double MapY = 0;   // latitude or northing
  double PixelX = 0; // map-image pixel, fractions kept
  double PixelY = 0; // rows growing downwards
  bool Enabled = true;
  int Line = 0; // in the file, from 1
};

enum TPointsCrsKind : uint8_t {
  pckUnstated,   // no "#CRS:" line, or an empty one
  pckGeographic, // longitude and latitude in degrees
  pckUTM,        // easting and northing in a UTM zone
  pckOther       // any other system: not readable into a calibration
};

// What the "#CRS:" line says about the map coordinates.
struct TPointsCrs {
  TPointsCrsKind Kind = pckUnstated;
  int Zone = 0; // UTM only
  bool South = false;
  // The ellipsoid the system names, when it is one of the catalogue.
  bool EllipsoidKnown = false;
  TGeoEllipsoid Ellipsoid = gelWGS84;
  std::string Name; // the system's own name, for messages
};

// Recognises a coordinate system from its WKT (version 1 or 2), an
// "EPSG:nnnn" code or a PROJ string: geographic systems, and UTM zones by
// their name ("UTM zone 32N"), their EPSG code (326zz, 327zz, 258zz, 269zz,
// 230zz) or "+proj=utm +zone=zz [+south]".
KARTAVO_API TPointsCrs RecognizePointsCrs(const std::string& Text);

struct TGeorefPointsFile {
  TPointsCrs Crs;
  std::vector<TGeorefPoint> Points;
};

// Reads a ".points" text. Name is used in messages. Raises EORVGeoMapError
// "<Name> line N: <reason>" for a line that is not a point (too few fields, a
// value that is no finite number, an enable flag other than 0/1/true/false),
// for a header without the four coordinate columns and for more than 100000
// lines of points.
KARTAVO_API TGeorefPointsFile ReadGeorefPoints(std::istream& In, const std::string& Name);
// The same from a file; a file that cannot be opened raises EORVGeoMapError.
KARTAVO_API TGeorefPointsFile ReadGeorefPointsFile(const std::string& Path);

// How the points become calibration points.
struct TPointsImport {
  TCalibModel Model = cmEquiRect; // a point-based model
  int Width = 0, Height = 0;      // of the map image, in pixels
  // The UTM zone of the coordinates when the file does not state its system
  // (1..60; 0: not given). A stated system must agree with it.
  int UTMZone = 0;
  bool UTMSouth = false;
};

struct TPointsImportResult {
  int Used = 0;           // enabled points stored
  int Disabled = 0;       // points switched off in the file, left out
  double MaxRounding = 0; // largest distance a point moved to its whole pixel
  bool Converted = false; // UTM coordinates turned into latitude and longitude
};

// Stores the enabled points as calibration points of cd (replacing its
// points; for the utm model also its zone, hemisphere and ellipsoid).
// Pixels are rounded to whole pixels (half to even), as the record keeps
// them. The geographic models take geographic points, or UTM points converted
// to latitude and longitude; the utm model takes UTM points only. Raises
// EORVGeoMapError naming the line for a pixel outside the image (0 ... W,
// 0 ... H), a position outside -90 ... 90 / -180 ... 180 (UTM: northing
// 0 ... 10000000, easting 0 ... 1000000), more than 200 enabled points, no
// enabled point, and for a coordinate system that is neither geographic nor
// UTM or disagrees with the zone given.
KARTAVO_API TPointsImportResult GeorefPointsToCalibration(const TGeorefPointsFile& File,
                                                          const std::string& Name,
                                                          const TPointsImport& Options,
                                                          TCalibData& cd);

} // namespace kartavo
