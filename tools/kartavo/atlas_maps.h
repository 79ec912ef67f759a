// An atlas of calibration files for the command line: registering the
// files of folders and lists, describing the maps, and the map a zoom at a
// position would switch to. Used by `kartavo atlas` and the demo.
#pragma once

#include "kartavo/geoatlas/geoatlas_control.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace kcli {

// Registers each input: a calibration file, or a folder whose *.xml files
// (sorted by name) are registered when they hold a calibration; those that
// hold none are named on notes and left out. A file that cannot be
// registered, or inputs that give no map at all, raise std::runtime_error
// naming the input.
void RegisterAtlasInputs(kartavo::TGeoAtlas& Atlas, const std::vector<std::string>& Inputs,
                         std::ostream& notes);

// One line a registered map: index, caption, resolution, the four corners
// and the file.
void PrintAtlasMaps(std::ostream& out, const kartavo::TGeoAtlas& Atlas);

// "N (caption)" of a registered map, "none" for 0.
std::string AtlasMapName(const kartavo::TGeoAtlas& Atlas, int Index);

// The registered maps containing the position, in index order.
std::vector<int> MapsContaining(const kartavo::TGeoAtlas& Atlas, double Lat, double Long);

// The coarsest registered map containing the position, 0 when none does.
int CoarsestMapAt(const kartavo::TGeoAtlas& Atlas, double Lat, double Long);

} // namespace kcli

namespace kcli {

// The map ZoomIn (In) or ZoomOut of the atlas would switch to from the
// position and resolution, 0 when none.
int ZoomChoice(const kartavo::TGeoAtlas& Atlas, double Lat, double Long, double Resolution,
               bool In);

} // namespace kcli
