#include "kartavo/framework/detail/font_engine.h"

#include "kartavo/framework/errors.h"

#include <cmath>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <climits>
#include <map>
#include <mutex>
#include <tuple>
#include <unordered_map>

namespace fw {

namespace {

constexpr int kDefaultEmPixels = 11; // Height 0: the 8-point default
constexpr size_t kMaxGlyphs = 4096;  // per face, then the cache starts over
constexpr size_t kMaxFaces = 64;
constexpr int kMaxEmPixels = 2048; // larger sizes draw at this size

struct TResolved {
  std::string Path;
  int Index = 0;
  bool Bold = false; // the file itself is bold / italic
  bool Italic = false;
};

// The installed font fontconfig picks for a family name and styles.
TResolved ResolveWithFontconfig(FcConfig* config, const std::string& family, bool bold,
                                bool italic) {
  TResolved r;
  FcPattern* pat = FcPatternCreate();
  FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(config, pat, FcMatchPattern);
  FcDefaultSubstitute(pat);
  FcResult result;
  FcPattern* match = FcFontMatch(config, pat, &result);
  if (match) {
    FcChar8* file = nullptr;
    int index = 0, weight = 0, slant = 0;
    FcBool scalable = FcFalse;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
        (FcPatternGetBool(match, FC_SCALABLE, 0, &scalable) != FcResultMatch || scalable)) {
      r.Path = reinterpret_cast<const char*>(file);
      if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) r.Index = index;
      if (FcPatternGetInteger(match, FC_WEIGHT, 0, &weight) == FcResultMatch)
        r.Bold = weight >= FC_WEIGHT_DEMIBOLD;
      if (FcPatternGetInteger(match, FC_SLANT, 0, &slant) == FcResultMatch)
        r.Italic = slant != FC_SLANT_ROMAN;
    }
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pat);
  return r;
}

int Scale(int fontUnits, int emPixels, int unitsPerEm) {
  return static_cast<int>(std::lround(static_cast<double>(fontUnits) * emPixels / unitsPerEm));
}

class TFreeTypeFace final : public TSizedFace {
public:
  TFreeTypeFace(FT_Face face, std::string path, int emPixels, bool emboldenNeeded,
                bool obliqueNeeded)
      : FFace(face), FPath(std::move(path)), FEmbolden(emboldenNeeded), FOblique(obliqueNeeded) {
    FT_Set_Pixel_Sizes(FFace, 0, static_cast<FT_UInt>(emPixels));
    int upem = FFace->units_per_EM ? FFace->units_per_EM : 2048;
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(FFace, FT_SFNT_OS2));
    if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
      FAscent = Scale(os2->usWinAscent, emPixels, upem);
      FDescent = Scale(os2->usWinDescent, emPixels, upem);
      FStrike = -Scale(os2->yStrikeoutPosition, emPixels, upem);
    } else {
      FAscent = Scale(FFace->ascender, emPixels, upem);
      FDescent = Scale(-FFace->descender, emPixels, upem);
      FStrike = -FAscent * 3 / 10;
    }
    FUnderline = std::max(1, Scale(-FFace->underline_position, emPixels, upem));
    FThickness = std::max(1, Scale(FFace->underline_thickness, emPixels, upem));
    if (FStrike == 0) FStrike = -FAscent * 3 / 10;
  }
  ~TFreeTypeFace() override { FT_Done_Face(FFace); }
  TFreeTypeFace(const TFreeTypeFace&) = delete;
  TFreeTypeFace& operator=(const TFreeTypeFace&) = delete;

  int Ascent() const override { return FAscent; }
  int Descent() const override { return FDescent; }
  int UnderlineOffset() const override { return FUnderline; }
  int StrikeOutOffset() const override { return FStrike; }
  int LineThickness() const override { return FThickness; }
  const std::string& FilePath() const override { return FPath; }

  int Advance(char32_t ch) override {
    auto it = FAdvances.find(ch);
    if (it != FAdvances.end()) return it->second;
    int adv = 0;
    if (Load(ch)) adv = static_cast<int>((FFace->glyph->advance.x + 32) >> 6);
    if (FAdvances.size() >= kMaxGlyphs) FAdvances.clear();
    FAdvances.emplace(ch, adv);
    return adv;
  }

  const TGlyphImage& Glyph(char32_t ch) override {
    auto it = FGlyphs.find(ch);
    if (it != FGlyphs.end()) return it->second;
    if (FGlyphs.size() >= kMaxGlyphs) FGlyphs.clear();
    return FGlyphs.emplace(ch, Render(ch)).first->second;
  }

  TGlyphImage RotatedGlyph(char32_t ch, double angle, double fx, double fy) override {
    FT_Matrix m;
    m.xx = static_cast<FT_Fixed>(std::lround(std::cos(angle) * 65536));
    m.xy = static_cast<FT_Fixed>(std::lround(-std::sin(angle) * 65536));
    m.yx = -m.xy;
    m.yy = m.xx;
    FT_Vector delta{static_cast<FT_Pos>(std::lround(fx * 64)),
                    static_cast<FT_Pos>(std::lround(-fy * 64))};
    FT_Set_Transform(FFace, &m, &delta);
    TGlyphImage g = Render(ch);
    FT_Set_Transform(FFace, nullptr, nullptr);
    return g;
  }

private:
  bool Load(char32_t ch) {
    FT_UInt index = FT_Get_Char_Index(FFace, ch);
    if (FT_Load_Glyph(FFace, index, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0) return false;
    if (FEmbolden) FT_GlyphSlot_Embolden(FFace->glyph);
    if (FOblique) FT_GlyphSlot_Oblique(FFace->glyph);
    return true;
  }

  TGlyphImage Render(char32_t ch) {
    TGlyphImage g;
    if (!Load(ch) || FT_Render_Glyph(FFace->glyph, FT_RENDER_MODE_NORMAL) != 0) return g;
    const FT_Bitmap& bm = FFace->glyph->bitmap;
    if (bm.pixel_mode != FT_PIXEL_MODE_GRAY) return g;
    g.Left = FFace->glyph->bitmap_left;
    g.Top = FFace->glyph->bitmap_top;
    g.Width = static_cast<int>(bm.width);
    g.Height = static_cast<int>(bm.rows);
    g.Coverage.resize(static_cast<size_t>(g.Width) * g.Height);
    for (int y = 0; y < g.Height; ++y) {
      const unsigned char* src = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
      std::copy(src, src + g.Width, g.Coverage.begin() + static_cast<ptrdiff_t>(y) * g.Width);
    }
    IndexCoverage(g);
    return g;
  }

  FT_Face FFace;
  std::string FPath;
  bool FEmbolden, FOblique;
  int FAscent = 0, FDescent = 0, FUnderline = 1, FStrike = 0, FThickness = 1;
  std::unordered_map<char32_t, int> FAdvances;
  std::unordered_map<char32_t, TGlyphImage> FGlyphs;
};

class TFreeTypeEngine final : public TFontEngine {
public:
  // fontconfig's configuration is our own, so that it is freed with the
  // engine and nothing else in the process shares its state.
  TFreeTypeEngine() : FConfig(FcInitLoadConfigAndFonts()) {
    if (FT_Init_FreeType(&FLibrary) != 0) FLibrary = nullptr;
  }
  ~TFreeTypeEngine() override {
    FFaces.clear();
    if (FLibrary) FT_Done_FreeType(FLibrary);
    if (FConfig) FcConfigDestroy(FConfig);
  }
  TFreeTypeEngine(const TFreeTypeEngine&) = delete;
  TFreeTypeEngine& operator=(const TFreeTypeEngine&) = delete;

  std::shared_ptr<TSizedFace> Face(const TFont& font) override {
    std::lock_guard<std::mutex> lock(FMutex);
    if (!FLibrary) throw EInvalidGraphic("The font library could not be started");
    bool bold = font.Style().Contains(fsBold), italic = font.Style().Contains(fsItalic);
    auto key = std::make_tuple(font.Name(), font.Height(), bold, italic);
    auto it = FFaces.find(key);
    if (it != FFaces.end()) return it->second;
    TResolved r = Resolve(font.Name(), bold, italic);
    FT_Face face = nullptr;
    if (r.Path.empty() || FT_New_Face(FLibrary, r.Path.c_str(), r.Index, &face) != 0) {
      r = Resolve("sans-serif", bold, italic);
      if (r.Path.empty() || FT_New_Face(FLibrary, r.Path.c_str(), r.Index, &face) != 0)
        throw EInvalidGraphic("No font found for \"" + font.Name() + "\"");
    }
    auto sized = std::make_shared<TFreeTypeFace>(face, r.Path, EmPixels(face, font.Height()),
                                                 bold && !r.Bold, italic && !r.Italic);
    if (FFaces.size() >= kMaxFaces) FFaces.clear();
    FFaces.emplace(key, sized);
    return sized;
  }

private:
  TResolved Resolve(const std::string& name, bool bold, bool italic) {
    auto key = std::make_tuple(name, bold, italic);
    auto it = FResolved.find(key);
    if (it != FResolved.end()) return it->second;
    TResolved r = FConfig ? ResolveWithFontconfig(FConfig, name, bold, italic) : TResolved{};
    FResolved.emplace(key, r);
    return r;
  }

  // The em size in pixels for a Height: negative is the character height,
  // positive the cell height (ascent plus descent).
  static int EmPixels(FT_Face face, int height) {
    return std::clamp(UnclampedEmPixels(face, height), 1, kMaxEmPixels);
  }
  static int UnclampedEmPixels(FT_Face face, int height) {
    if (height < 0) return height == INT_MIN ? kMaxEmPixels : -height;
    if (height == 0) return kDefaultEmPixels;
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    int cell = os2 ? os2->usWinAscent + os2->usWinDescent : face->ascender - face->descender;
    int upem = face->units_per_EM ? face->units_per_EM : 2048;
    if (cell <= 0) return height;
    return std::max(1, static_cast<int>(std::lround(static_cast<double>(height) * upem / cell)));
  }

  std::mutex FMutex;
  FcConfig* FConfig;
  FT_Library FLibrary = nullptr;
  std::map<std::tuple<std::string, int, bool, bool>, std::shared_ptr<TSizedFace>> FFaces;
  std::map<std::tuple<std::string, bool, bool>, TResolved> FResolved;
};

} // namespace

TFontEngine& TFontEngine::Instance() {
  static TFreeTypeEngine engine;
  return engine;
}

} // namespace fw
