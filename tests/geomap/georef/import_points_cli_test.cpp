// kartavo calib import-points as a user runs it on a georeferencer file.
#include "../xml_test_support.h"
#include "kartavo/geomap/calib_xml.h"

#include <gtest/gtest.h>

namespace kartavo {
namespace {
using testing::RunCliLine;
using testing::TRun;
using testing::TScratchDir;
using testing::WriteBytes;

const char* const AlpsPoints = "#CRS: EPSG:4326\n"
                               "mapX,mapY,sourceX,sourceY,enable,dX,dY,residual\n"
                               "6,48,0,0,1,0,0,0\n"
                               "12,48,1000,0,1,0,0,0\n"
                               "6,44,0,-800,1,0,0,0\n"
                               "12,44,1000,-800,1,0,0,0\n"
                               "7,47,100,-200,0,0,0,0\n";

TEST(ImportPointsCli, WritesACalibrationNamedAfterTheImageOfThePointsFile) {
  TScratchDir dir;
  const std::string points = dir.File("alps.jpg.points"), xml = dir.File("alps.xml");
  WriteBytes(points, AlpsPoints);
  const TRun r =
      RunCliLine("calib import-points " + points + " --model equirect --size 1000 800 -o " + xml);
  ASSERT_EQ(r.Status, 0) << r.Out;
  EXPECT_NE(r.Out.find("imported     4 points (1 switched off in the file left out)"),
            std::string::npos)
      << r.Out;
  EXPECT_NE(r.Out.find("bottom-right 44.0000000 12.0000000"), std::string::npos) << r.Out;
  TCalibData cd;
  TCalibModel model = cmUndefined;
  ASSERT_TRUE(ParseCalibData(xml, "map", cd, model));
  EXPECT_EQ(model, cmEquiRect);
  EXPECT_EQ(cd.MapFName, "alps.jpg");
  EXPECT_EQ(cd.NumCalQuads, 4);
  EXPECT_EQ(cd.CalQuads[4], (TCalQuad{44, 12, 1000, 800}));
}

TEST(ImportPointsCli, BadFilesExitOneNamingTheLineAndWriteNothing) {
  TScratchDir dir;
  const std::string points = dir.File("bad.points"), xml = dir.File("bad.xml");
  WriteBytes(points, std::string(AlpsPoints) + "7,47,1e999,-200,1\n");
  TRun r =
      RunCliLine("calib import-points " + points + " --model equirect --size 1000 800 -o " + xml);
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Out.find("bad.points line 8: sourceX is no finite number: \"1e999\""),
            std::string::npos)
      << r.Out;
  EXPECT_FALSE(std::filesystem::exists(xml));

  // Three of the points lie on one line: the model is not determined.
  WriteBytes(points, "mapX,mapY,sourceX,sourceY\n6,48,0,0\n7,47,100,-100\n8,46,200,-200\n");
  r = RunCliLine("calib import-points " + points + " --model equirect --size 1000 800 -o " + xml);
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Out.find("the points cannot determine the model"), std::string::npos) << r.Out;
  EXPECT_FALSE(std::filesystem::exists(xml));

  EXPECT_EQ(RunCliLine("calib import-points " + dir.File("none.points") +
                       " --model equirect "
                       "--size 10 10")
                .Status,
            1);
  EXPECT_EQ(RunCliLine("calib import-points " + points + " --model equirect --size 0 10").Status,
            2);
  EXPECT_EQ(RunCliLine("calib import-points " + points + " --model parabolicip --size 9 9").Status,
            2);
}

} // namespace
} // namespace kartavo
