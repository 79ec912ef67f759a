// kartavo symbols: symbol repository files, listed or drawn as a palette
// sheet.
#include "cli.h"
#include "symbol_sheet.h"

#include "kartavo/companion/tessaro.h"
#include "kartavo/framework/png_codec.h"
#include "kartavo/geomap/landmarks/symbol_repository.h"

#include <iostream>
#include <memory>
#include <stdexcept>

namespace kcli {
namespace {
using namespace kartavo;

struct SymbolArgs {
  std::string File, Id, Output;
};

void Load(const SymbolArgs& a, TSymbolRepository& r) {
  if (!r.LoadFromFile(a.File, a.Id))
    throw std::runtime_error(a.File + ": no symbol section" +
                             (a.Id.empty() ? std::string() : " \"" + a.Id + "\""));
}

void List(const SymbolArgs& a) {
  TSymbolRepository r(nullptr);
  Load(a, r);
  std::cout << "# ix kind size fg bg transparent direction length category name\n";
  for (int ix = 1; ix <= r.NumEntries(); ++ix) {
    const TSymbol s = r.Symbols(ix);
    const TSymbolProperties& p = s.Properties;
    std::cout << ix << ' ' << ElementWord(p.Kind) << ' ' << p.Size << ' '
              << tessaro::Hex(p.FGColor, 8) << ' ' << tessaro::Hex(p.BGColor, 8) << ' '
              << (p.Transparent ? "yes" : "no") << ' ' << p.Direction << ' ' << p.Length << ' '
              << s.Category << " \"" << s.Name.ToString() << "\"\n";
  }
}

void Draw(const SymbolArgs& a) {
  TSymbolRepository r(nullptr);
  Load(a, r);
  auto sheet = DrawSymbolSheet(r);
  fw::WritePngFile(a.Output, sheet->PixelImage());
  std::cout << "drew " << r.NumEntries() << " symbols to " << a.Output << " (" << sheet->Width()
            << " x " << sheet->Height() << ")\n";
}

void AddFileArgs(CLI::App* sub, SymbolArgs& a) {
  sub->add_option("FILE", a.File, "Symbol repository XML file")
      ->required()
      ->check(CLI::ExistingFile);
  sub->add_option("ID", a.Id, "Data identifier of the section (default: the first one)");
}

void AddSymbolsCommand(CLI::App& root) {
  auto* cmd = root.add_subcommand("symbols", "Symbol repository files");
  cmd->require_subcommand(1);
  auto list = std::make_shared<SymbolArgs>();
  auto* sub = cmd->add_subcommand("list", "One line per symbol: kind, size, colours, name");
  AddFileArgs(sub, *list);
  sub->callback([list] { List(*list); });
  auto draw = std::make_shared<SymbolArgs>();
  sub = cmd->add_subcommand("draw", "Draw every symbol with its name on a PNG palette sheet");
  AddFileArgs(sub, *draw);
  sub->add_option("-o,--output", draw->Output, "PNG file to write")->required();
  sub->callback([draw] { Draw(*draw); });
}

const CommandRegistrar registrar(61, AddSymbolsCommand);

} // namespace
} // namespace kcli
