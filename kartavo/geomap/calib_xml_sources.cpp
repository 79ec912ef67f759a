#include "kartavo/companion/detail/tag_reader.h"
#include "kartavo/companion/quillon.h"
#include "kartavo/framework/stream.h"
#include "kartavo/framework/text_file.h"
#include "kartavo/geomap/calib_xml.h"
#include "kartavo/geomap/calib_xml_reader.h"

namespace kartavo {
namespace {
constexpr int kHighTag = static_cast<int>(XMLTagNames.size()) - 1;

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
} // namespace

TXmlLineSource TextFileLines(fw::TTextFile& F) {
  return [&F](std::string& line) { return F.ReadLn(line); };
}

TXmlLineSource StreamLines(fw::TStream& S) {
  return [&S](std::string& line) {
    line.clear();
    char c = 0;
    bool any = false;
    while (S.Read(&c, 1) == 1) {
      any = true;
      line += c;
      if (c == '\n') break;
    }
    for (int i = 0; i < 2 && !line.empty() && IsLineEnd(line.back()); ++i)
      line.pop_back();
    return any;
  };
}

namespace {
// The reader's result, or xtUnfinishedTag with the name of the tag that broke off.
int TagOrUnfinished(int ix, const std::string& unfinished, std::string& attributes) {
  if (unfinished.empty()) return ix;
  attributes = unfinished;
  return xtUnfinishedTag;
}

} // namespace

TXmlTagSource TextFileTags(fw::TTextFile& F) {
  return [&F](std::string& attributes, std::string& contents) {
    std::string unfinished;
    const int ix = quillon::ReadNextTagInTextFile(F, XMLTagNames, kHighTag, attributes, contents,
                                                  {}, &unfinished);
    return TagOrUnfinished(ix, unfinished, attributes);
  };
}

TXmlTagSource StreamTags(fw::TStream& S) {
  return [&S](std::string& attributes, std::string& contents) {
    std::string unfinished;
    const int ix = quillon::ReadNextTagInStream(S, XMLTagNames, kHighTag, attributes, contents, {},
                                                &unfinished);
    return TagOrUnfinished(ix, unfinished, attributes);
  };
}

} // namespace kartavo
