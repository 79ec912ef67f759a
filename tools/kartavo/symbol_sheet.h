// A palette sheet of a symbol repository: every symbol drawn in its own
// cell with its number and name below it.
#pragma once

#include "kartavo/framework/bitmap.h"
#include "kartavo/geomap/landmarks/symbol_repository.h"

#include <memory>

namespace kcli {

std::unique_ptr<fw::TBitmap> DrawSymbolSheet(const kartavo::TSymbolRepository& Repository);

} // namespace kcli
