#include "kartavo/framework/backend.h"

#include "kartavo/framework/headless_backend.h"

namespace fw {

static std::unique_ptr<TBackend>& InstalledBackend() {
  static std::unique_ptr<TBackend> backend = std::make_unique<THeadlessBackend>();
  return backend;
}

void TBackend::DropDownList(TComboBox*, bool) {}

TBackend& Backend() { return *InstalledBackend(); }

void SetBackend(std::unique_ptr<TBackend> Backend) {
  if (Backend) InstalledBackend() = std::move(Backend);
}

} // namespace fw
