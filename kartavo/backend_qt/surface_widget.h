// A Qt widget that shows a top-level control of the framework with all its
// children: it paints their window surfaces, hands its mouse input to the
// framework's desktop and keeps the control's size equal to its own.
// The Qt backend opens one as a window for each top-level control; a Qt
// program embeds one in its layouts (GeoMapWidget is one).
#pragma once

#include "kartavo/framework/controls.h"
#include "kartavo/framework/desktop.h"
#include "kartavo/framework/export.h"

#include <QWidget>

namespace kartavo::qt {

class KARTAVO_API TSurfaceWidget : public QWidget {
public:
  // Shows Control (a control without parent; null to attach later). A widget
  // made by a program sizes the control; a window of the backend
  // (OwnedByBackend) takes the control's position and size.
  explicit TSurfaceWidget(fw::TControl* Control, QWidget* Parent = nullptr,
                          bool OwnedByBackend = false);
  ~TSurfaceWidget() override;

  fw::TControl* Control() const { return FControl; }
  // The control is going away: the widget forgets it and shows nothing.
  void DetachControl() { FControl = nullptr; }
  bool OwnedByBackend() const { return FOwned; }
  // The framework's screen position of a point of this widget.
  fw::TPoint FrameworkPoint(QPointF Local) const;

protected:
  // Binds the control after construction (for widgets that make their own).
  void AttachControl(fw::TControl* Control);

  void paintEvent(QPaintEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  void moveEvent(QMoveEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void wheelEvent(QWheelEvent* Event) override;

private:
  void DeliverMouse(fw::TMouseMessageKind Kind, QMouseEvent* Event);
  void Deliver(const fw::TMouseMessage& Message);
  void SizeControlToWidget();

  fw::TControl* FControl = nullptr;
  bool FOwned = false;
  bool FPlacing = false;
};

} // namespace kartavo::qt
