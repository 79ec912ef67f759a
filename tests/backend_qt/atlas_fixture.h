// An atlas folder for the Qt tests: three generated maps of one region
// (calibration files beside their pictures), nested and of falling
// resolution, and a picture of a control with all its children as the
// framework composes it without a display.
#pragma once

#include "qt_test_support.h"

#include "kartavo/framework/canvas.h"
#include "kartavo/geoatlas/geoatlas_control.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace kartavo::qt::testing {

struct TAtlasFolder {
  std::filesystem::path Dir;
  std::vector<std::string> Files; // coarsest first: Europe, Alps, Oberland
};

// A generated map of the box with a graticule every Step degrees, its
// calibration file naming its resolution and caption.
inline std::string WriteGeneratedMap(const std::filesystem::path& Dir, const std::string& Name,
                                     double LatLow, double LongLow, double LatHigh, double LongHigh,
                                     double Step, int Width, int Height,
                                     const std::string& Caption) {
  fw::TCustomControl host(nullptr);
  host.SetVisible(false);
  TGeoMap map(nullptr);
  map.SetParent(&host);
  const std::string xml = (Dir / (Name + ".xml")).string();
  map.CreateAndLoadEmptyMap(xml, LatLow, LongLow, LatHigh, LongHigh, Step, Step, Width, Height,
                            nullptr);
  map.CalcExtentsAndResolution();
  map.SetCaption(Caption);
  map.SaveCalDataAsXML(xml, "");
  return xml;
}

inline const TAtlasFolder& AtlasFolder() {
  static const TAtlasFolder folder = [] {
    TAtlasFolder f;
    f.Dir = OutDir() / "atlas-folder";
    std::filesystem::remove_all(f.Dir);
    std::filesystem::create_directories(f.Dir);
    f.Files = {
        WriteGeneratedMap(f.Dir, "europe", 35, -10, 60, 30, 5, 480, 300, "Europe"),
        WriteGeneratedMap(f.Dir, "alps", 44, 5, 48, 15, 1, 600, 240, "Alps"),
        WriteGeneratedMap(f.Dir, "oberland", 46, 7, 47, 9, 0.25, 480, 240, "Bernese Oberland")};
    return f;
  }();
  return folder;
}

// The control's surface with its showing children drawn over it in their
// stacking order, each clipped to its parent: the picture a window of the
// control shows.
inline void ComposeTree(fw::TCanvas& Target, fw::TControl& Control, fw::TPoint At,
                        const fw::TRect& Clip) {
  if (!Control.Visible()) return;
  const fw::TRect area{std::max(Clip.Left, At.X), std::max(Clip.Top, At.Y),
                       std::min(Clip.Right, At.X + Control.Width()),
                       std::min(Clip.Bottom, At.Y + Control.Height())};
  if (area.Right <= area.Left || area.Bottom <= area.Top) return;
  const fw::TRect from =
      fw::Rect(area.Left - At.X, area.Top - At.Y, area.Right - At.X, area.Bottom - At.Y);
  Target.CopyRect(area, Control.Surface()->Canvas(), from);
  if (auto* parent = dynamic_cast<fw::TWinControl*>(&Control))
    for (int i = 0; i < parent->ControlCount(); ++i) {
      fw::TControl& child = *parent->Controls(i);
      ComposeTree(Target, child, fw::Point(At.X + child.Left(), At.Y + child.Top()), area);
    }
}

inline fw::TPixelImage PictureOfTree(fw::TControl& Control) {
  fw::TBitmap whole;
  whole.SetPixelFormat(fw::pf24bit);
  whole.SetSize(Control.Width(), Control.Height());
  ComposeTree(*whole.Canvas(), Control, fw::Point(0, 0),
              fw::Rect(0, 0, Control.Width(), Control.Height()));
  return whole.PixelImage();
}

// The same atlas without a window: a child of a control that shows but has
// no area, so that the backend opens no window for it while its parts paint.
struct TOffscreenAtlas {
  fw::TCustomControl Host{nullptr};
  TGeoAtlas Atlas{nullptr};
  TOffscreenAtlas(int Width, int Height) {
    Host.SetBounds(0, 0, 0, 0);
    Atlas.SetParent(&Host);
    Atlas.SetBounds(0, 0, Width, Height);
    for (const std::string& file : AtlasFolder().Files)
      EXPECT_TRUE(Atlas.RegisterMap(file)) << Atlas.LastProblem();
  }
  // The same map, view and overlay as the map Like shows.
  void ShowAsIn(const TGeoAtlas& Like) {
    // The same map, whatever order the two atlases registered their maps in.
    const std::string caption = Like.GetMapDef(Like.CurrentMapIndex()).Caption;
    int ix = 1;
    while (ix <= Atlas.NumRegMaps() && Atlas.GetMapDef(ix).Caption != caption)
      ++ix;
    ASSERT_TRUE(Atlas.SelectMap(ix)) << Atlas.LastProblem();
    Atlas.ZoomButton()->SetDown(Like.ZoomButton()->Down());
    Atlas.PointerButton()->SetDown(Like.PointerButton()->Down());
    TGeoMap& map = *Atlas.CurrentMap();
    const TGeoMap& like = *Like.CurrentMap();
    map.SetShowGraticule(like.ShowGraticule());
    map.SetMagnification(like.Magnification());
    map.SetTopLeft(like.TopLeft());
  }
  static void RepaintTree(fw::TControl& Control) {
    Control.Repaint();
    if (auto* parent = dynamic_cast<fw::TWinControl*>(&Control))
      for (int i = 0; i < parent->ControlCount(); ++i)
        RepaintTree(*parent->Controls(i));
  }
  fw::TPixelImage Picture() {
    RepaintTree(Atlas);
    return PictureOfTree(Atlas);
  }
};

} // namespace kartavo::qt::testing
