#include "kartavo/backend_qt/qt_backend.h"

#include "kartavo/backend_qt/cursor_qt.h"
#include "kartavo/backend_qt/pixel_image_qt.h"
#include "kartavo/backend_qt/surface_widget.h"
#include "kartavo/framework/combo_box.h"
#include "kartavo/framework/controls.h"
#include "kartavo/framework/desktop.h"
#include "kartavo/framework/errors.h"
#include "kartavo/framework/screen.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QThread>
#include <cstring>
#include <stdexcept>

namespace kartavo::qt {

fw::TControl* TopLevelOf(fw::TControl* Control) {
  while (Control && Control->Parent())
    Control = Control->Parent();
  return Control;
}

TQtBackend* QtBackend() { return dynamic_cast<TQtBackend*>(&fw::Backend()); }

TQtBackend& InstallBackend() {
  if (TQtBackend* backend = QtBackend()) return *backend;
  if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
    throw std::logic_error("The Qt backend needs a QApplication");
  auto backend = std::make_unique<TQtBackend>();
  TQtBackend& installed = *backend;
  fw::SetBackend(std::move(backend));
  return installed;
}

namespace {

QMetaObject::Connection& IdleConnection() {
  static QMetaObject::Connection connection;
  return connection;
}

bool& OverrideCursorSet() {
  static bool set = false;
  return set;
}

} // namespace

TQtBackend::TQtBackend() {
  // Whatever a program drew on a surface shows once the event loop is
  // about to wait, as a window system's paint message would bring it.
  if (auto* dispatcher = QAbstractEventDispatcher::instance())
    IdleConnection() =
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [this] { Flush(); });
}

// The backend lives until the program ends, after the QApplication: the
// windows went with it, so nothing of Qt is touched here.
TQtBackend::~TQtBackend() { QObject::disconnect(IdleConnection()); }

void TQtBackend::CreateSurface(fw::TControl*) {}

void TQtBackend::DestroySurface(fw::TControl* Control) {
  FShadows.erase(Control);
  if (Control == FDropBox) {
    FDropBox = nullptr;
    CloseDropDownMenu();
  }
  if (auto it = FWindows.find(Control); it != FWindows.end()) {
    TSurfaceWidget* window = it->second;
    FWindows.erase(it);
    window->DetachControl();
    // The control may go away inside one of the window's own handlers.
    if (window->OwnedByBackend()) {
      window->hide();
      window->deleteLater();
    } else {
      window->update();
    }
    return;
  }
  if (TSurfaceWidget* window = Window(TopLevelOf(Control))) window->update();
}

void TQtBackend::SurfaceChanged(fw::TControl* Control) {
  if (auto it = FWindows.find(Control); it != FWindows.end() && Control->Parent()) {
    // A top-level control became a child: its own window goes.
    TSurfaceWidget* window = it->second;
    FWindows.erase(it);
    window->DetachControl();
    if (window->OwnedByBackend()) window->deleteLater();
  }
  TSurfaceWidget* window = Window(TopLevelOf(Control));
  if (!window) return;
  if (window->Control() == Control && window->OwnedByBackend()) PlaceWindow(window);
  window->update();
}

void TQtBackend::PlaceWindow(TSurfaceWidget* Window) {
  fw::TControl* c = Window->Control();
  const QRect bounds(c->Left(), c->Top(), c->Width(), c->Height());
  if (Window->geometry() != bounds) Window->setGeometry(bounds);
  if (Window->isVisible() != c->Visible()) Window->setVisible(c->Visible());
}

void TQtBackend::Present(fw::TControl* Control, const fw::TRect& Area) {
  TSurfaceWidget* window = Window(TopLevelOf(Control));
  if (!window) return;
  const fw::TPoint at = window->Control()->ScreenToClient(Control->ClientToScreen(fw::Point(0, 0)));
  window->update(QRect(at.X + Area.Left, at.Y + Area.Top, Area.Width(), Area.Height()));
}

void TQtBackend::CursorChanged(fw::TControl* Control) {
  if (!Control) {
    const fw::TCursor screen = fw::Screen().Cursor();
    bool& set = OverrideCursorSet();
    if (screen != fw::crDefault) {
      if (set)
        QGuiApplication::changeOverrideCursor(QtCursor(screen));
      else
        QGuiApplication::setOverrideCursor(QtCursor(screen));
      set = true;
    } else if (set) {
      QGuiApplication::restoreOverrideCursor();
      set = false;
    }
    for (auto& [control, window] : FWindows)
      UpdateCursor(window);
    return;
  }
  if (TSurfaceWidget* window = Window(TopLevelOf(Control))) UpdateCursor(window);
}

void TQtBackend::UpdateCursor(TSurfaceWidget* Window) {
  fw::TControl* shown = fw::Desktop().ControlUnderMouse();
  if (!shown || TopLevelOf(shown) != Window->Control()) shown = Window->Control();
  if (!shown) return;
  const fw::TCursor cursor = fw::ShownCursorOf(shown);
  if (cursor == fw::crDefault)
    Window->unsetCursor();
  else
    Window->setCursor(QtCursor(cursor));
}

void TQtBackend::SetClipboardImage(const fw::TPixelImage& Image) {
  QGuiApplication::clipboard()->setImage(ImageCopy(Image));
}

bool TQtBackend::ClipboardHasImage() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data && data->hasImage();
}

fw::TPixelImage TQtBackend::ClipboardImage() const {
  const QImage image = QGuiApplication::clipboard()->image();
  if (image.isNull()) throw fw::EInvalidGraphic("Unsupported clipboard format");
  return PixelImageOf(image);
}

void TQtBackend::ClearClipboard() { QGuiApplication::clipboard()->clear(); }

void TQtBackend::ProcessMessages() {
  QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
  const bool busy = dispatcher && dispatcher->processEvents(QEventLoop::AllEvents);
  Flush();
  if (!busy) QThread::msleep(1);
}

void TQtBackend::Attach(fw::TControl* Control, TSurfaceWidget* Widget) {
  FShadows.erase(Control);
  if (Widget)
    FWindows[Control] = Widget;
  else
    FWindows.erase(Control);
}

TSurfaceWidget* TQtBackend::Window(const fw::TControl* Control) const {
  auto it = FWindows.find(Control);
  return it == FWindows.end() ? nullptr : it->second;
}

void TQtBackend::Flush() {
  if (FFlushing) return;
  FFlushing = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FFlushing};
  fw::Desktop().PaintInvalidated();
  OpenWindows();
  ShowChanges();
}

void TQtBackend::OpenWindows() {
  for (fw::TControl* c : std::vector<fw::TControl*>(fw::Desktop().TopLevelControls())) {
    if (FWindows.count(c) || !c->Visible() || c->Width() <= 0 || c->Height() <= 0) continue;
    auto* window = new TSurfaceWidget(c, nullptr, true);
    FWindows[c] = window;
    const std::string& title = c->Caption().empty() ? fw::Application().Title() : c->Caption();
    window->setWindowTitle(QString::fromStdString(title));
    PlaceWindow(window);
  }
}

void TQtBackend::ShowChanges() {
  for (auto& [control, window] : std::map(FWindows))
    if (window->Control() && window->isVisible())
      ShowChanges(window->Control(), window, fw::Point(0, 0));
}

void TQtBackend::ShowChanges(fw::TControl* Control, TSurfaceWidget* Window, fw::TPoint Offset) {
  if (!Control->Visible()) return;
  const QRect rows = ChangedRows(Control);
  if (!rows.isEmpty()) Window->update(rows.translated(Offset.X, Offset.Y));
  if (auto* parent = dynamic_cast<fw::TWinControl*>(Control))
    for (int i = 0; i < parent->ControlCount(); ++i) {
      fw::TControl* child = parent->Controls(i);
      ShowChanges(child, Window, fw::Point(Offset.X + child->Left(), Offset.Y + child->Top()));
    }
}

QRect TQtBackend::ChangedRows(fw::TControl* Control) {
  const fw::TPixelImage& image = Control->Surface()->PixelImage();
  TShadow& shadow = FShadows[Control];
  if (shadow.Width != image.Width || shadow.Height != image.Height ||
      shadow.Bits.size() != image.Bits.size()) {
    shadow = {image.Width, image.Height, image.Bits};
    return QRect(0, 0, image.Width, image.Height);
  }
  const auto stride = static_cast<size_t>(image.Stride());
  auto rowDiffers = [&](int y) {
    return std::memcmp(image.Row(y), shadow.Bits.data() + y * stride, stride) != 0;
  };
  int first = 0;
  while (first < image.Height && !rowDiffers(first))
    ++first;
  if (first == image.Height) return {};
  int last = image.Height - 1;
  while (last > first && !rowDiffers(last))
    --last;
  std::memcpy(shadow.Bits.data() + first * stride, image.Row(first), (last - first + 1) * stride);
  return QRect(0, first, image.Width, last - first + 1);
}

} // namespace kartavo::qt
