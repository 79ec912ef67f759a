// A TSurfaceWidget that makes the control it shows and owns it for the
// widget's life: the map and atlas widgets are these.
#pragma once

#include "kartavo/backend_qt/qt_backend.h"
#include "kartavo/backend_qt/surface_widget.h"
#include "kartavo/framework/export.h"

#include <memory>

namespace kartavo::qt {

template <class TOwned> class KARTAVO_API TControlWidget : public TSurfaceWidget {
public:
  // Installs the Qt backend when it is not yet in use (a QApplication must
  // exist), then makes the control, sized to the widget.
  explicit TControlWidget(QWidget* Parent) : TSurfaceWidget(nullptr, Parent) {
    InstallBackend();
    FOwned = std::make_unique<TOwned>(nullptr);
    AttachControl(FOwned.get());
  }
  // The control goes while the widget still knows it.
  ~TControlWidget() override { FOwned.reset(); }

  QSize sizeHint() const override { return {640, 480}; }

protected:
  TOwned& Owned() const { return *FOwned; }

private:
  std::unique_ptr<TOwned> FOwned;
};

} // namespace kartavo::qt
