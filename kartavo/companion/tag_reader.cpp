#include "kartavo/companion/detail/tag_reader.h"

#include "kartavo/framework/detail/text_scan.h"
#include "kartavo/framework/stream.h"
#include "kartavo/framework/text_file.h"

#include <array>

namespace quillon {
namespace {

using fw::SameTextAscii;

std::string_view Trim(std::string_view s) { return fw::Trim(s, fw::IsXmlWhiteSpace); }

// Characters of a text file, one at a time.
class TTextFileSource {
public:
  explicit TTextFileSource(fw::TTextFile& F) : FFile(F) {}
  bool Get(char& c) { return FFile.ReadChar(c); }
  std::string_view Ahead() const { return FFile.Ahead(); }
  void Take(size_t n) { FFile.Take(n); }
  void Finish() {}

private:
  fw::TTextFile& FFile;
};

// Bytes of a stream, read in blocks; Finish moves the stream back to just
// after the last byte taken, so the stream ends up where the reader stopped.
class TStreamSource {
public:
  explicit TStreamSource(fw::TStream& S) : FStream(S) {}
  bool Get(char& c) {
    if (FPos == FEnd) {
      FPos = 0;
      FEnd = std::max<int64_t>(0, FStream.Read(FBuffer.data(), FBuffer.size()));
      if (FEnd == 0) return false;
    }
    c = FBuffer[static_cast<size_t>(FPos++)];
    return true;
  }
  std::string_view Ahead() const {
    return {FBuffer.data() + FPos, static_cast<size_t>(FEnd - FPos)};
  }
  void Take(size_t n) { FPos += std::min<int64_t>(static_cast<int64_t>(n), FEnd - FPos); }
  void Finish() {
    if (FEnd > FPos) FStream.Seek(FPos - FEnd, fw::soCurrent);
    FPos = FEnd = 0;
  }

private:
  fw::TStream& FStream;
  std::array<char, 4096> FBuffer{};
  int64_t FPos = 0;
  int64_t FEnd = 0;
};

// Appends text with every line break (CR LF, LF, CR) turned into one LF.
class TLineBreakAppender {
public:
  explicit TLineBreakAppender(std::string& Out) : FOut(Out) {}
  void Put(char c) {
    const bool lfAfterCr = c == '\n' && FLastWasCr;
    FLastWasCr = c == '\r';
    if (!lfAfterCr) FOut += c == '\r' ? '\n' : c;
  }
  void Put(std::string_view s) {
    for (char c : s)
      Put(c);
  }
  size_t Size() const { return FOut.size(); }

private:
  std::string& FOut;
  bool FLastWasCr = false;
};

enum TStep : uint8_t { stFound, stSkipped, stFailed, stRestart };

template <class Source> class TTagScanner {
public:
  TTagScanner(Source& Src, std::span<const std::string_view> Tags, int HighIx,
              const TTagReaderLimits& Limits)
      : FSrc(Src), FTags(Tags), FHighIx(HighIx), FLimits(Limits),
        FLastListed(std::min<int>(HighIx, static_cast<int>(Tags.size()) - 1)) {}

  int Next(std::string& Attributes, std::string& Contents) {
    Attributes.clear();
    Contents.clear();
    if (FHighIx < 0) return FHighIx;
    char c = 0;
    for (;;) {
      do {
        if (!FSrc.Get(c)) return FHighIx;
      } while (c != '<');
      int ix = -1;
      const TStep step = ReadTag(ix, Attributes, Contents);
      if (step == stFound) return ix;
      if (step == stFailed) {
        Attributes.clear();
        Contents.clear();
        return FHighIx;
      }
    }
  }

  // The listed tag whose tag or element broke off, when that ended Next.
  const std::string& UnfinishedTag() const { return FUnfinished; }

private:
  // After a '<': reads the name and, for a listed tag, the rest of the tag
  // and its contents. An opening tag cut short by the next '<' is dropped
  // and the tag that '<' opens is read instead.
  TStep ReadTag(int& ix, std::string& Attributes, std::string& Contents) {
    const TStep step = ReadTagInto(ix, Attributes, Contents);
    if (step != stFound) Attributes.clear();
    return step;
  }

  // The tag's raw text is gathered in Attributes itself (whose room the
  // caller keeps from tag to tag) and normalised there.
  TStep ReadTagInto(int& ix, std::string& Attributes, std::string& Contents) {
    for (;;) {
      std::string name;
      char stop = 0;
      const TStep named = ReadName(name, stop);
      if (named != stFound) return named;
      ix = ListIndex(name);
      if (ix < 0) return stSkipped;
      Attributes.assign(1, stop == '/' ? '/' : ' ');
      const TStep rest = stop == '>' ? stFound : ReadTagRest(Attributes);
      if (rest == stRestart) continue;
      if (rest == stFailed) return Unfinished(ix);
      bool selfClosing = false;
      NormaliseAttributes(Attributes, selfClosing);
      if (selfClosing || name.front() == '/') return stFound;
      return ReadContents(name, Contents) ? stFound : Unfinished(ix);
    }
  }

  TStep Unfinished(int ix) {
    FUnfinished = FTags[static_cast<size_t>(ix)];
    return stFailed;
  }

  TStep ReadName(std::string& name, char& stop) {
    char c = 0;
    for (;;) {
      if (!FSrc.Get(c)) return stFailed;
      if (c == '<') { // a stray '<': the tag starts again here
        name.clear();
        continue;
      }
      if (fw::IsXmlWhiteSpace(c) || c == '>' || (c == '/' && !name.empty())) break;
      name += c;
      if (name == "!--") return SkipComment() ? stSkipped : stFailed;
      if (name.size() > FLimits.MaxNameLength) return stSkipped;
    }
    stop = c;
    return name.empty() ? stSkipped : stFound;
  }

  int ListIndex(std::string_view name) const {
    for (int i = 0; i <= FLastListed; ++i)
      if (SameTextAscii(name, FTags[static_cast<size_t>(i)])) return i;
    return -1;
  }

  bool SkipComment() {
    int dashes = 0;
    char c = 0;
    while (FSrc.Get(c)) {
      if (c == '>' && dashes >= 2) return true;
      dashes = c == '-' ? dashes + 1 : 0;
    }
    return false;
  }

  // Reads up to the '>' that ends the opening tag, outside double quotes;
  // stRestart when a '<' outside quotes shows that the tag was never ended.
  // When a line ends inside quotes, a stray quote was met: the tag ended at
  // the first '>' of that line after all, and the rest of the line is dropped.
  TStep ReadTagRest(std::string& raw) {
    bool quoted = false;
    size_t quotedGt = std::string::npos;
    char c = 0;
    for (;;) {
      // Characters that change nothing but the text go in bulk, and so do
      // double quotes, which only turn the quoting on and off.
      const std::string_view ahead = FSrc.Ahead();
      size_t plain = 0;
      for (; plain < ahead.size(); ++plain) {
        const char a = ahead[plain];
        if (a == '"')
          quoted = !quoted;
        else if (IsTagRestSpecial(a))
          break;
      }
      if (plain > 0) {
        raw.append(ahead.substr(0, plain));
        FSrc.Take(plain);
        if (raw.size() > FLimits.MaxTagText) return stFailed;
      }
      if (!FSrc.Get(c)) break;
      if (c == '>' && !quoted) return stFound;
      if (c == '<' && !quoted) return stRestart;
      if (c == '>' && quotedGt == std::string::npos) quotedGt = raw.size();
      if (c == '"') quoted = !quoted;
      if (c == '\r' || c == '\n') {
        if (quoted && quotedGt != std::string::npos) break;
        quoted = false;
        quotedGt = std::string::npos;
      }
      raw += c;
      if (raw.size() > FLimits.MaxTagText) return stFailed;
    }
    if (quotedGt == std::string::npos) return stFailed;
    raw.resize(quotedGt);
    return stFound;
  }

  static bool IsTagRestSpecial(char c) {
    static constexpr auto table = [] {
      std::array<bool, 256> t{};
      for (unsigned char s : {'>', '<', '"', '\r', '\n'})
        t[s] = true;
      return t;
    }();
    return table[static_cast<unsigned char>(c)];
  }

  // Trims the raw text, takes off the '/' of a self-closing tag and turns
  // line breaks into single blanks, in place.
  static void NormaliseAttributes(std::string& raw, bool& selfClosing) {
    std::string_view text = Trim(raw);
    selfClosing = !text.empty() && text.back() == '/';
    if (selfClosing) text = Trim(text.substr(0, text.size() - 1));
    if (text.find('\r') == std::string_view::npos && text.find('\n') == std::string_view::npos) {
      const size_t start = static_cast<size_t>(text.data() - raw.data()), length = text.size();
      raw.erase(start + length);
      raw.erase(0, start);
      return;
    }
    std::string out;
    TLineBreakAppender put(out);
    put.Put(text);
    for (char& ch : out)
      if (ch == '\n') ch = ' ';
    raw = std::move(out);
  }

  // Reads the contents of the element named name up to its matching closing tag.
  bool ReadContents(std::string_view name, std::string& Contents) {
    TLineBreakAppender put(Contents);
    int depth = 1;
    char c = 0;
    std::string token;
    while (FSrc.Get(c)) {
      if (c != '<') {
        put.Put(c);
      } else {
        const TStep step = ReadInnerTag(token, put);
        if (step == stFailed) return false;
        if (step == stFound) {
          depth += DepthChange(token, name);
          if (depth == 0) return true;
          put.Put('<');
          put.Put(token);
          put.Put('>');
        }
      }
      if (Contents.size() > FLimits.MaxContents) return false;
    }
    return false;
  }

  // Collects the text of a tag inside contents, between '<' and '>'. A
  // further '<' restarts the tag, and a tag longer than a tag may be is no
  // tag: in both cases what came before goes to the contents as plain text.
  TStep ReadInnerTag(std::string& token, TLineBreakAppender& put) {
    token.clear();
    char c = 0;
    while (FSrc.Get(c)) {
      const bool inComment = token.starts_with("!--");
      if (c == '>' && (!inComment || (token.size() >= 5 && token.ends_with("--")))) return stFound;
      if (c == '<' && !inComment) {
        put.Put('<');
        put.Put(token);
        token.clear();
        if (put.Size() > FLimits.MaxContents) return stFailed;
        continue;
      }
      token += c;
      if (token.size() > FLimits.MaxTagText) {
        put.Put('<');
        put.Put(token);
        return stSkipped;
      }
    }
    return stFailed;
  }

  // +1 for an opening tag of the same name, -1 for its closing tag, else 0.
  static int DepthChange(std::string_view token, std::string_view name) {
    const bool closing = !token.empty() && token.front() == '/';
    std::string_view rest = closing ? token.substr(1) : token;
    size_t end = 0;
    while (end < rest.size() && !fw::IsXmlWhiteSpace(rest[end]) && rest[end] != '/')
      ++end;
    if (!SameTextAscii(rest.substr(0, end), name)) return 0;
    if (closing) return -1;
    return Trim(token).ends_with('/') ? 0 : 1;
  }

  Source& FSrc;
  std::span<const std::string_view> FTags;
  int FHighIx;
  const TTagReaderLimits& FLimits;
  int FLastListed;
  std::string FUnfinished;
};

template <class Source>
int ReadNextTag(Source& src, std::span<const std::string_view> Tags, int HighIx,
                std::string& Attributes, std::string& Contents, const TTagReaderLimits& Limits,
                std::string* Unfinished) {
  TTagScanner<Source> scanner(src, Tags, HighIx, Limits);
  const int ix = scanner.Next(Attributes, Contents);
  src.Finish();
  if (Unfinished) *Unfinished = scanner.UnfinishedTag();
  return ix;
}

} // namespace

int ReadNextTagInTextFile(fw::TTextFile& F, std::span<const std::string_view> Tags, int HighIx,
                          std::string& Attributes, std::string& Contents,
                          const TTagReaderLimits& Limits, std::string* Unfinished) {
  TTextFileSource src(F);
  return ReadNextTag(src, Tags, HighIx, Attributes, Contents, Limits, Unfinished);
}

int ReadNextTagInStream(fw::TStream& S, std::span<const std::string_view> Tags, int HighIx,
                        std::string& Attributes, std::string& Contents,
                        const TTagReaderLimits& Limits, std::string* Unfinished) {
  TStreamSource src(S);
  return ReadNextTag(src, Tags, HighIx, Attributes, Contents, Limits, Unfinished);
}

int ReadNextTagInTextFile(fw::TTextFile& F, std::span<const std::string_view> Tags, int HighIx,
                          std::string& Attributes, std::string& Contents) {
  return ReadNextTagInTextFile(F, Tags, HighIx, Attributes, Contents, TTagReaderLimits{});
}

int ReadNextTagInStream(fw::TStream& S, std::span<const std::string_view> Tags, int HighIx,
                        std::string& Attributes, std::string& Contents) {
  return ReadNextTagInStream(S, Tags, HighIx, Attributes, Contents, TTagReaderLimits{});
}

} // namespace quillon
