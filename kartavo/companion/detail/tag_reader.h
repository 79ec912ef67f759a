// The mark-up tag reader behind ReadNextTagInTextFile and ReadNextTagInStream,
// with its memory limits made explicit. Mark-up syntax it understands:
//   - A tag opens with '<' followed by its name; the name ends at a blank,
//     tab, line break, '>' or (after its first character) '/'. Names are
//     compared with the listed ones without regard to ASCII letter case, so
//     a closing tag is listed by its name with the slash ("/geomap").
//   - A listed tag's attribute text runs to the next '>' that is not inside
//     double quotes. Values never span lines, so a line that ends inside
//     quotes held a stray quote: the tag then ends at the first '>' of that
//     line and the rest of the line is dropped, which keeps the damage of
//     one stray quote to its own line. A '<' outside quotes before the '>'
//     means the tag was never ended: it is dropped and the new tag is read.
//     Attribute text is trimmed, its line breaks become blanks, and a
//     trailing '/' marks the tag as self-closing.
//   - Contents run to the matching closing tag (nested tags of the same name
//     counted); line breaks inside contents are delivered as one LF whatever
//     the file used (CR LF, LF or CR); nothing else is changed or trimmed.
//     Self-closing tags and closing tags have empty contents.
//   - Unlisted tags, XML declarations and text between tags are passed over;
//     comments <!-- ... --> are skipped whole, so tags inside them are not read.
//   - The input is consumed exactly up to the '>' of the closing tag (or of
//     the tag itself when it has no contents); the next call continues there.
// When no further listed tag can be read — end of input inside a tag or a
// comment, a closing tag that never comes, or a limit below exceeded — the
// result is HighIx with Attributes and Contents empty; when it was a listed
// tag or its element that broke off, Unfinished (when given) receives the
// tag's name as listed, and is emptied otherwise. A negative HighIx reads
// nothing.
#pragma once

#include "kartavo/companion/quillon.h"

#include <cstddef>

namespace quillon {

struct TTagReaderLimits {
  // Longer names cannot be listed ones; the reader stops comparing them.
  size_t MaxNameLength = 255;
  // Attribute text of one opening tag.
  size_t MaxTagText = 1 << 20;
  // Contents of one element.
  size_t MaxContents = size_t{64} << 20;
};

int ReadNextTagInTextFile(fw::TTextFile& F, std::span<const std::string_view> Tags, int HighIx,
                          std::string& Attributes, std::string& Contents,
                          const TTagReaderLimits& Limits, std::string* Unfinished = nullptr);
int ReadNextTagInStream(fw::TStream& S, std::span<const std::string_view> Tags, int HighIx,
                        std::string& Attributes, std::string& Contents,
                        const TTagReaderLimits& Limits, std::string* Unfinished = nullptr);

} // namespace quillon
