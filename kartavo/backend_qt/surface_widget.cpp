#include "kartavo/backend_qt/surface_widget.h"

#include "kartavo/backend_qt/pixel_image_qt.h"
#include "kartavo/backend_qt/qt_backend.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

namespace kartavo::qt {

namespace {

fw::TShiftState ShiftOf(Qt::KeyboardModifiers modifiers) {
  fw::TShiftState keys;
  if (modifiers & Qt::ShiftModifier) keys.Include(fw::ssShift);
  if (modifiers & Qt::ControlModifier) keys.Include(fw::ssCtrl);
  if (modifiers & Qt::AltModifier) keys.Include(fw::ssAlt);
  return keys;
}

bool ButtonOf(Qt::MouseButton button, fw::TMouseButton& out) {
  switch (button) {
  case Qt::LeftButton:
    out = fw::mbLeft;
    return true;
  case Qt::RightButton:
    out = fw::mbRight;
    return true;
  case Qt::MiddleButton:
    out = fw::mbMiddle;
    return true;
  default:
    return false;
  }
}

// Draws the control's surface and, above it, its showing children in their
// stacking order, each clipped to its parent.
void PaintTree(QPainter& painter, fw::TControl* control, QPoint offset, const QRect& clip) {
  if (!control->Visible()) return;
  const QRect area = QRect(offset, QSize(control->Width(), control->Height())) & clip;
  if (area.isEmpty()) return;
  const QImage view = ImageView(control->Surface()->PixelImage());
  if (!view.isNull()) painter.drawImage(area.topLeft(), view, area.translated(-offset));
  if (auto* parent = dynamic_cast<fw::TWinControl*>(control))
    for (int i = 0; i < parent->ControlCount(); ++i) {
      fw::TControl* child = parent->Controls(i);
      PaintTree(painter, child, offset + QPoint(child->Left(), child->Top()), area);
    }
}

} // namespace

TSurfaceWidget::TSurfaceWidget(fw::TControl* Control, QWidget* Parent, bool OwnedByBackend)
    : QWidget(Parent), FOwned(OwnedByBackend) {
  // The surfaces cover the whole widget; moves without a button matter to
  // the rubber band and to programs showing the position under the pointer.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  AttachControl(Control);
}

TSurfaceWidget::~TSurfaceWidget() {
  if (TQtBackend* backend = QtBackend(); backend && FControl && backend->Window(FControl) == this)
    backend->Attach(FControl, nullptr);
}

void TSurfaceWidget::AttachControl(fw::TControl* Control) {
  FControl = Control;
  if (!FControl) return;
  // A backend window is placed by the backend from the control's bounds.
  if (FOwned) return;
  InstallBackend().Attach(FControl, this);
  SizeControlToWidget();
}

fw::TPoint TSurfaceWidget::FrameworkPoint(QPointF Local) const {
  const fw::TPoint p =
      fw::Point(static_cast<int>(std::floor(Local.x())), static_cast<int>(std::floor(Local.y())));
  return FControl ? FControl->ClientToScreen(p) : p;
}

void TSurfaceWidget::SizeControlToWidget() {
  if (!FControl || FPlacing) return;
  FPlacing = true;
  // A program's widget places its control at the framework's origin; a
  // backend window keeps the control where the window stands.
  const QPoint at = FOwned ? pos() : QPoint(0, 0);
  FControl->SetBounds(at.x(), at.y(), width(), height());
  FPlacing = false;
}

void TSurfaceWidget::paintEvent(QPaintEvent* Event) {
  QPainter painter(this);
  if (!FControl) {
    painter.fillRect(Event->rect(), palette().window());
    return;
  }
  if (FControl->Width() < width() || FControl->Height() < height())
    painter.fillRect(Event->rect(), palette().window());
  PaintTree(painter, FControl, QPoint(0, 0), Event->rect());
}

void TSurfaceWidget::resizeEvent(QResizeEvent*) {
  SizeControlToWidget();
  // Paint the control at its new size before Qt shows the widget.
  if (TQtBackend* backend = QtBackend()) backend->Flush();
}

void TSurfaceWidget::moveEvent(QMoveEvent*) {
  if (FOwned) SizeControlToWidget();
}

void TSurfaceWidget::Deliver(const fw::TMouseMessage& Message) {
  if (!FControl) return;
  // Qt gave the input to this window, so its control is the topmost one
  // where the framework looks for the control under the pointer.
  fw::Desktop().Restack(FControl, true);
  fw::Desktop().Deliver(Message);
  if (TQtBackend* backend = QtBackend()) backend->Flush();
}

void TSurfaceWidget::DeliverMouse(fw::TMouseMessageKind Kind, QMouseEvent* Event) {
  fw::TMouseButton button = fw::mbLeft;
  if (Kind != fw::mmMouseMove && !ButtonOf(Event->button(), button)) return;
  Deliver(fw::TMouseMessage{Kind, button, ShiftOf(Event->modifiers()),
                            FrameworkPoint(Event->position())});
}

void TSurfaceWidget::mousePressEvent(QMouseEvent* Event) { DeliverMouse(fw::mmMouseDown, Event); }

void TSurfaceWidget::mouseDoubleClickEvent(QMouseEvent* Event) {
  DeliverMouse(fw::mmDblClick, Event);
}

void TSurfaceWidget::mouseReleaseEvent(QMouseEvent* Event) { DeliverMouse(fw::mmMouseUp, Event); }

void TSurfaceWidget::mouseMoveEvent(QMouseEvent* Event) { DeliverMouse(fw::mmMouseMove, Event); }

void TSurfaceWidget::wheelEvent(QWheelEvent* Event) {
  const QPoint angle = Event->angleDelta();
  const int delta = angle.y() != 0 ? angle.y() : angle.x();
  if (delta == 0) return;
  Deliver(fw::TMouseMessage{fw::mmMouseWheel, fw::mbLeft, ShiftOf(Event->modifiers()),
                            FrameworkPoint(Event->position()), delta});
}

} // namespace kartavo::qt
