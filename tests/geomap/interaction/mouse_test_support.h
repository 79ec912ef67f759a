// Shared helpers of the mouse tests: a map control on the headless screen,
// driven through posted input, and records of what its events reported.
#pragma once

#include "kartavo/framework/canvas.h"
#include "kartavo/framework/headless_backend.h"
#include "kartavo/framework/screen.h"
#include "kartavo/geomap/geomap_control.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace mouse_test {

using kartavo::TGeoMap;
using Point = quillon::TPoint;

class MouseTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_NE(fw::HeadlessBackend(), nullptr);
    Run();
    Map = std::make_unique<TGeoMap>(nullptr);
    Map->SetBounds(0, 0, 500, 400);
    Map->OnZoomPan = [this](fw::TObject*) { ++ZoomPans; };
    Run(); // the paint that showing the control asks for
  }
  void TearDown() override {
    Input().OnIdle = nullptr;
    Map.reset();
    Run();
  }

  fw::THeadlessBackend& Input() { return *fw::HeadlessBackend(); }
  void Run() { fw::Application().ProcessMessages(); }
  void Down(int x, int y, fw::TMouseButton b = fw::mbLeft, fw::TShiftState keys = {}) {
    Input().PostMouseDown(Map.get(), b, x, y, keys);
  }
  void Move(int x, int y, fw::TShiftState keys = {}) {
    Input().PostMouseMove(Map.get(), x, y, keys);
  }
  void Up(int x, int y, fw::TMouseButton b = fw::mbLeft, fw::TShiftState keys = {}) {
    Input().PostMouseUp(Map.get(), b, x, y, keys);
  }
  // A left-button drag through the given points, delivered at once.
  void Drag(std::vector<Point> path) {
    Down(path.front().X, path.front().Y);
    for (const Point& p : path)
      Move(p.X, p.Y);
    Up(path.back().X, path.back().Y);
    Run();
  }
  // A picture of an 800 x 600 map image as the control's map.
  void LoadImage(int w = 800, int h = 600) {
    fw::TBitmap bmp;
    bmp.SetPixelFormat(fw::pf24bit);
    bmp.SetSize(w, h);
    Map->SetMapBitMap(&bmp);
  }
  // A linear calibration of a 1000 x 1000 image: longitude 8 + x / 1000,
  // latitude 48 - y / 1000.
  void Calibrate() {
    LoadImage(1000, 1000);
    Map->SetCalibModel(kartavo::cmEquiRect);
    Map->AddCalibPoint(48.0, 8.0, 0, 0);
    Map->AddCalibPoint(48.0, 9.0, 1000, 0);
    Map->AddCalibPoint(47.0, 8.0, 0, 1000);
    Map->AddCalibPoint(47.0, 9.0, 1000, 1000);
  }
  // The control's window surface as it shows now.
  std::vector<fw::TColor> Screen() {
    std::vector<fw::TColor> px;
    fw::TCanvas* c = Map->Canvas();
    for (int y = 0; y < Map->Height(); ++y)
      for (int x = 0; x < Map->Width(); ++x)
        px.push_back(c->Pixels(x, y));
    return px;
  }
  int Changed(const std::vector<fw::TColor>& a, const std::vector<fw::TColor>& b) {
    int n = 0;
    for (size_t i = 0; i < a.size(); ++i)
      n += a[i] != b[i];
    return n;
  }

  std::unique_ptr<TGeoMap> Map;
  int ZoomPans = 0;
};

} // namespace mouse_test
