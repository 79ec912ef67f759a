#include "calib_load.h"

#include "calib_report.h"

#include "kartavo/framework/detail/text_scan.h"
#include "kartavo/framework/stream.h"
#include "kartavo/geomap/calib_fits.h"
#include "kartavo/geomap/calib_xml.h"
#include "kartavo/geomap/calib_xml_reader.h"
#include "kartavo/geomap/detail/map_image_file.h"
#include "kartavo/package/exceptions.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string_view>

namespace kcli {
namespace {
using namespace kartavo;

// The tag source of the reader, remembering where the last tag began and
// which it was, so that an error can name its line.
struct TrackedTags {
  fw::TMemoryStream& Stream;
  TXmlTagSource Inner = StreamTags(Stream);
  int64_t Start = 0;
  int Last = -1;

  int operator()(std::string& attributes, std::string& contents) {
    Start = Stream.Position();
    Last = Inner(attributes, contents);
    return Last;
  }

  // The line of the last tag's opening, or the last line when the text ended.
  int Line() {
    const std::string_view text(reinterpret_cast<const char*>(Stream.Memory()),
                                static_cast<size_t>(Stream.Size()));
    size_t where = text.size();
    if (Last >= 0 && Last != xtInvalidTag) {
      const std::string lower = fw::LowerAscii(text);
      const size_t found =
          lower.find("<" + std::string(XMLTagNames[static_cast<size_t>(Last)]),
                     static_cast<size_t>(std::clamp<int64_t>(Start, 0, int64_t(text.size()))));
      where = found == std::string::npos ? static_cast<size_t>(Start) : found;
    } else if (!text.empty() && text.back() == '\n') {
      where = text.size() - 1;
    }
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + where, '\n'));
  }
};

// Stops an image reader once its header has given the size.
struct HeaderRead {
  int Width, Height;
};

// The size of a map image from its header alone: the reader is stopped
// before any pixel is decoded.
bool ImageHeaderSize(const std::string& path, int& width, int& height) {
  try {
    ReadMapImageFile(path, {}, [](int w, int h) { throw HeaderRead{w, h}; });
  } catch (const HeaderRead& size) {
    width = size.Width;
    height = size.Height;
    return true;
  }
  return false;
}

void ReadFile(const CalibFileArgs& args, LoadedCalibration& c) {
  if (!std::filesystem::is_regular_file(args.File))
    throw std::runtime_error("cannot open " + args.File + ": no such file");
  fw::TMemoryStream stream;
  stream.LoadFromFile(args.File);
  TrackedTags tags{stream};
  bool found = false;
  try {
    found = ReadControlCalibration(
        StreamLines(stream), std::ref(tags), args.Id, c.Data, c.Model,
        [&c] { ClearCalibRecord(c.Data); }, [](const std::string& text) { return text; });
  } catch (const EORVGeoMapError& e) {
    throw std::runtime_error(args.File + ": line " + std::to_string(tags.Line()) + ": " + e.what());
  }
  if (!found)
    throw std::runtime_error(
        args.File + ": no calibration" +
        (args.Id.empty() ? std::string() : " with identifier \"" + args.Id + "\""));
}

// The size of the map image: --size, or the image named in the calibration,
// looked for beside the calibration file.
void MapImageSize(const CalibFileArgs& args, LoadedCalibration& c) {
  if (args.Size.first > 0) {
    c.Width = args.Size.first;
    c.Height = args.Size.second;
    return;
  }
  const std::string& name = c.Data.MapFName;
  const auto path = std::filesystem::path(args.File).parent_path() / name;
  const bool there = !name.empty() && std::filesystem::is_regular_file(path);
  if (there && ImageHeaderSize(path.string(), c.Width, c.Height)) return;
  if (c.Model != cmConicConformal) return;
  throw std::runtime_error(
      args.File + ": the conicconformal fit depends on the map image's size, and " +
      (name.empty()
           ? std::string("the calibration names no map image")
           : "its map image " + path.string() + (there ? " holds no image" : " is not there")) +
      ": give the size with --size W H");
}

} // namespace

LoadedCalibration LoadCalibration(const CalibFileArgs& args) {
  LoadedCalibration c;
  c.Data.UTMZone = -1;
  ReadFile(args, c);
  RecalcGratMat(c.Data, c.GratMat);
  MapImageSize(args, c);
  FitCalibModel(c.Model, c.Data, c.Width, c.Height, c.Pars);
  return c;
}

} // namespace kcli
