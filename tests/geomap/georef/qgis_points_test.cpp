// Control point files of the QGIS georeferencer read into calibration points:
// files as the georeferencer writes them, the coordinate systems it names,
// and every kind of bad line refused with its line number.
#include "kartavo/geobasics/utm.h"
#include "kartavo/geomap/georef/qgis_points.h"
#include "kartavo/package/exceptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace kartavo {
namespace {

// Written by hand in the georeferencer's format (QGIS 3): the system as one
// WKT line, CR LF line ends, the georeferencer's own residual columns, and a
// point switched off. Rows count upwards from the image's top edge.
const char* const QgisWgs84File =
    "#CRS: GEOGCRS[\"WGS 84\",ENSEMBLE[\"World Geodetic System 1984 ensemble\","
    "MEMBER[\"World Geodetic System 1984 (G730)\"],ELLIPSOID[\"WGS 84\",6378137,298.257223563,"
    "LENGTHUNIT[\"metre\",1]],ENSEMBLEACCURACY[2.0]],PRIMEM[\"Greenwich\",0,ANGLEUNIT[\"degree\","
    "0.0174532925199433]],CS[ellipsoidal,2],AXIS[\"geodetic latitude (Lat)\",north,ORDER[1],"
    "ANGLEUNIT[\"degree\",0.0174532925199433]],AXIS[\"geodetic longitude (Lon)\",east,ORDER[2],"
    "ANGLEUNIT[\"degree\",0.0174532925199433]],ID[\"EPSG\",4326]]\r\n"
    "mapX,mapY,sourceX,sourceY,enable,dX,dY,residual\r\n"
    "6.00000000000000000,48.00000000000000000,0.25,-0.5,1,0.1,-0.2,0.22\r\n"
    "12.0,48.0,1000,0,1,0,0,0\r\n"
    "6,44,0,-800,1,0,0,0\r\n"
    "12,44,999.5,-799.5,1,0,0,0\r\n"
    "9.5,46.25,123.4,-456.7,0,0,0,0\r\n"
    "9,46,500.6,-400.2,1,0,0,0\r\n";

TGeorefPointsFile Read(const std::string& text) {
  std::istringstream in(text);
  return ReadGeorefPoints(in, "test.points");
}

// The message of the error that reading and importing the text raises.
std::string ImportError(const std::string& text, TPointsImport o = {cmEquiRect, 1000, 800}) {
  try {
    TCalibData cd;
    GeorefPointsToCalibration(Read(text), "test.points", o, cd);
  } catch (const EORVGeoMapError& e) {
    return e.what();
  }
  return "no error";
}

TEST(QgisPoints, AFileAsTheGeoreferencerWritesItGivesTheEnabledPointsOnTheImage) {
  const TGeorefPointsFile f = Read(QgisWgs84File);
  EXPECT_EQ(f.Crs.Kind, pckGeographic);
  EXPECT_EQ(f.Crs.Name, "WGS 84");
  ASSERT_EQ(f.Points.size(), 6u);
  EXPECT_EQ(f.Points[0].Line, 3);
  EXPECT_DOUBLE_EQ(f.Points[0].PixelX, 0.25);
  EXPECT_DOUBLE_EQ(f.Points[0].PixelY, 0.5); // rows grow downwards on the map image
  EXPECT_DOUBLE_EQ(f.Points[0].MapX, 6);
  EXPECT_FALSE(f.Points[4].Enabled);

  TCalibData cd;
  cd.UTMZone = -1;
  TPointsImport o;
  o.Model = cmEquiRect;
  o.Width = 1000;
  o.Height = 800;
  const TPointsImportResult r = GeorefPointsToCalibration(f, "alps.jpg.points", o, cd);
  EXPECT_EQ(r.Used, 5);
  EXPECT_EQ(r.Disabled, 1);
  EXPECT_FALSE(r.Converted);
  EXPECT_NEAR(r.MaxRounding, std::hypot(0.5, 0.5), 1e-12); // 999.5 799.5 to 1000 800
  ASSERT_EQ(cd.NumCalQuads, 5);
  // Half pixels go to the even neighbour, as every rounding to pixels does.
  EXPECT_EQ(cd.CalQuads[1], (TCalQuad{48, 6, 0, 0}));
  EXPECT_EQ(cd.CalQuads[4], (TCalQuad{44, 12, 1000, 800}));
  EXPECT_EQ(cd.CalQuads[5], (TCalQuad{46, 9, 501, 400}));
  EXPECT_EQ(cd.UTMZone, -1);
}

TEST(QgisPoints, OlderFilesWithoutSystemAndWithPixelColumnsAreUtmWhenTheZoneIsGiven) {
  const std::string text = "mapX,mapY,pixelX,pixelY,enable\n"
                           "300000,5206000,100,-200,1\n"
                           "760000,4985000,900,-800,1\n"
                           "300000,4985000,100,-800,1\n";
  TCalibData cd;
  TPointsImport o;
  o.Model = cmUTM;
  o.Width = 1000;
  o.Height = 1000;
  o.UTMZone = 32;
  GeorefPointsToCalibration(Read(text), "old.points", o, cd);
  ASSERT_EQ(cd.NumCalQuads, 3);
  EXPECT_EQ(cd.CalQuads[1], (TCalQuad{5206000, 300000, 100, 200})); // northing, easting
  EXPECT_EQ(cd.UTMZone, 32);
  EXPECT_FALSE(cd.UTMSouth);
  EXPECT_EQ(cd.Ellipsoid, gelWGS84);

  // The geographic models take the same points as latitude and longitude.
  o.Model = cmBiquadraticPn;
  const TPointsImportResult r = GeorefPointsToCalibration(Read(text), "old.points", o, cd);
  EXPECT_TRUE(r.Converted);
  double lat = 0, lon = 0;
  UTMToLatLong(760000, 4985000, 32, false, gelWGS84, lat, lon);
  EXPECT_DOUBLE_EQ(cd.CalQuads[2].Latitude, lat);
  EXPECT_DOUBLE_EQ(cd.CalQuads[2].Longitude, lon);
}

TEST(QgisPoints, ColumnsAreFoundByTheirHeaderNames) {
  const TGeorefPointsFile f = Read("enable,sourceY,sourceX,mapY,mapX\n0,-10,20,45,7\n");
  ASSERT_EQ(f.Points.size(), 1u);
  EXPECT_FALSE(f.Points[0].Enabled);
  EXPECT_DOUBLE_EQ(f.Points[0].PixelX, 20);
  EXPECT_DOUBLE_EQ(f.Points[0].PixelY, 10);
  EXPECT_DOUBLE_EQ(f.Points[0].MapY, 45);
  // Without a header the georeferencer's own order holds.
  const TGeorefPointsFile bare = Read("7,45,20,-10\n");
  EXPECT_DOUBLE_EQ(bare.Points[0].MapX, 7);
  EXPECT_TRUE(bare.Points[0].Enabled);
}

TEST(QgisPoints, CoordinateSystemsAreRecognisedByWktCodeAndProjString) {
  TPointsCrs c = RecognizePointsCrs("EPSG:32733");
  EXPECT_EQ(c.Kind, pckUTM);
  EXPECT_EQ(c.Zone, 33);
  EXPECT_TRUE(c.South);

  c = RecognizePointsCrs(
      "PROJCS[\"ED50 / UTM zone 32N\",GEOGCS[\"ED50\",DATUM[\"European_Datum_1950\","
      "SPHEROID[\"International 1924\",6378388,297]],PRIMEM[\"Greenwich\",0],"
      "UNIT[\"degree\",0.0174532925199433]],PROJECTION[\"Transverse_Mercator\"],"
      "UNIT[\"metre\",1]]");
  EXPECT_EQ(c.Kind, pckUTM);
  EXPECT_EQ(c.Zone, 32);
  EXPECT_FALSE(c.South);
  EXPECT_TRUE(c.EllipsoidKnown);
  EXPECT_EQ(c.Ellipsoid, gelInt24);

  c = RecognizePointsCrs("+proj=utm +zone=18 +south +ellps=GRS80 +units=m +no_defs");
  EXPECT_EQ(c.Kind, pckUTM);
  EXPECT_EQ(c.Zone, 18);
  EXPECT_TRUE(c.South);
  EXPECT_EQ(c.Ellipsoid, gelGRS80);

  EXPECT_EQ(RecognizePointsCrs("+proj=longlat +datum=WGS84").Kind, pckGeographic);
  EXPECT_EQ(RecognizePointsCrs("  ").Kind, pckUnstated);
  EXPECT_EQ(RecognizePointsCrs("EPSG:3857").Kind, pckOther);
  c = RecognizePointsCrs("PROJCRS[\"RGF93 v1 / Lambert-93\",BASEGEOGCRS[\"RGF93 v1\"]]");
  EXPECT_EQ(c.Kind, pckOther);
  EXPECT_EQ(c.Name, "RGF93 v1 / Lambert-93");

  c = RecognizePointsCrs("PROJCS[\"Mars / UTM zone 1N\",GEOGCS[\"Mars\",DATUM[\"Mars\","
                         "SPHEROID[\"Mars\",3396190,169.894447223612]]]]");
  EXPECT_EQ(c.Kind, pckUTM);
  EXPECT_FALSE(c.EllipsoidKnown);
}

TEST(QgisPoints, BadLinesAreRefusedWithTheirLineNumber) {
  const std::string head = "mapX,mapY,sourceX,sourceY,enable\n6,48,0,0,1\n";
  EXPECT_EQ(ImportError(head + "6,48,abc,-3,1\n"),
            "test.points line 3: sourceX is no finite number: \"abc\"");
  EXPECT_EQ(ImportError(head + "nan,48,1,-3,1\n"),
            "test.points line 3: mapX is no finite number: \"nan\"");
  EXPECT_EQ(ImportError(head + "6,1e999,1,-3,1\n"),
            "test.points line 3: mapY is no finite number: \"1e999\"");
  EXPECT_EQ(ImportError(head + "6,48,1\n"),
            "test.points line 3: expected 5 comma-separated fields, got 3: \"6,48,1\"");
  EXPECT_EQ(ImportError(head + "6,48,1,-3,yes\n"),
            "test.points line 3: enable must be 0 or 1, got \"yes\"");
  EXPECT_EQ(ImportError("mapX,mapY,sourceX,enable\n"),
            "test.points line 1: the header names no column sourceY (or pixelY): "
            "\"mapX,mapY,sourceX,enable\"");
  EXPECT_EQ(ImportError(head + "#CRS: EPSG:4326\n"),
            "test.points line 3: the #CRS: line must come before the points");
}

TEST(QgisPoints, PointsOffTheImageOrOffTheEarthAreRefusedWithTheirLineNumber) {
  const std::string head = "mapX,mapY,sourceX,sourceY,enable\n6,48,0,0,1\n";
  EXPECT_EQ(ImportError(head + "6,48,10,12,1\n"),
            "test.points line 3: sourceY 12 lies above the image: rows below its top edge are "
            "written as negative numbers");
  EXPECT_EQ(ImportError(head + "6,48,1000.5,-12,1\n"),
            "test.points line 3: pixel 1000.5 12 lies outside the image (0 ... 1000, 0 ... 800)");
  EXPECT_EQ(ImportError(head + "6,91,10,-12,1\n"),
            "test.points line 3: latitude (mapY) 91 is outside -90 ... 90 (UTM coordinates need "
            "the zone)");
  EXPECT_EQ(ImportError(head + "500000,5000000,10,-12,1\n"),
            "test.points line 3: latitude (mapY) 5000000 is outside -90 ... 90 (UTM coordinates "
            "need the zone)");
  EXPECT_EQ(ImportError("mapX,mapY,sourceX,sourceY,enable\n6,48,0,0,0\n"),
            "test.points: no enabled control points");
  EXPECT_EQ(ImportError(""), "test.points: no control points");
  std::string many = "mapX,mapY,sourceX,sourceY,enable\n";
  for (int i = 0; i < 201; ++i)
    many += "6,48," + std::to_string(i) + ",-1,1\n";
  EXPECT_EQ(ImportError(many), "test.points line 202: more than 200 enabled points");
}

TEST(QgisPoints, SystemsThatCannotBeReadAndAbsurdSizesAreRefused) {
  const std::string points = "mapX,mapY,sourceX,sourceY\n6,48,0,0\n";
  EXPECT_EQ(ImportError("#CRS: EPSG:3857\n" + points),
            "test.points: the points are given in \"EPSG:3857\": only geographic coordinates "
            "(longitude, latitude) or UTM can be read");
  TPointsImport o{cmEquiRect, 1000, 800, 33, false};
  EXPECT_EQ(ImportError("#CRS: EPSG:32632\n" + points, o),
            "test.points: the file states UTM zone 32N (\"EPSG:32632\"), not 33N");
  EXPECT_EQ(
      ImportError("#CRS: EPSG:4326\n" + points, o),
      "test.points: the file states geographic coordinates (\"EPSG:4326\"), not UTM zone 33N");
  EXPECT_EQ(ImportError(points, {cmUTM, 1000, 800}),
            "test.points: the utm model needs UTM coordinates: the file states none and no zone "
            "was given");
  EXPECT_EQ(ImportError(points, {cmEquiRect, -5, 800}),
            "test.points: image size -5 x 800 is outside 1 ... 1000000");
  EXPECT_EQ(ImportError(points, {cmEquiRect, 1000, 2000000}),
            "test.points: image size 1000 x 2000000 is outside 1 ... 1000000");
  EXPECT_EQ(ImportError(points, {cmParabolicIp, 1000, 800}),
            "test.points: control points calibrate the point-based models only");
}

} // namespace
} // namespace kartavo
