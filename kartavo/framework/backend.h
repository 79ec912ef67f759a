// The seam between controls and the display. Controls draw into window
// surfaces (bitmaps of their own size) and tell the backend what happened;
// the backend shows the surfaces, brings input and owns cursor and clipboard.
// The headless backend (the default) shows nothing and takes its input from a
// queue; a windowing toolkit's backend puts each control in a real window.
// Package code talks only to controls, Application(), Screen() and
// Clipboard(), never to a backend, so backends change without touching it.
#pragma once

#include "kartavo/framework/cursor.h"
#include "kartavo/framework/export.h"
#include "kartavo/framework/geometry.h"
#include "kartavo/framework/pixel_image.h"

#include <memory>

namespace fw {

class TComboBox;
class TControl;

class KARTAVO_API TBackend {
public:
  virtual ~TBackend() = default;

  // A control and its window surface came into being or are going away.
  virtual void CreateSurface(TControl* Control) = 0;
  virtual void DestroySurface(TControl* Control) = 0;
  // Position, size, parent or visibility of the control changed.
  virtual void SurfaceChanged(TControl* Control) = 0;
  // The surface's Area (control pixels) holds new pixels to show.
  virtual void Present(TControl* Control, const TRect& Area) = 0;

  // The cursor shown over the control changed (the control's own, or the
  // screen-wide one when Control is null).
  virtual void CursorChanged(TControl* Control) = 0;

  // A combo box's list drops down (Open) or closes. A toolkit's backend
  // shows the list and calls the box's ChooseItem with the line the user
  // picks; without a display no list shows and the program chooses.
  virtual void DropDownList(TComboBox* Box, bool Open);

  // The clipboard's picture: a copy goes in, a copy comes out.
  virtual void SetClipboardImage(const TPixelImage& Image) = 0;
  virtual bool ClipboardHasImage() const = 0;
  virtual TPixelImage ClipboardImage() const = 0;
  virtual void ClearClipboard() = 0;

  // Delivers every pending input message, then paints invalidated controls;
  // returns when nothing is left to do. Never waits for new input.
  virtual void ProcessMessages() = 0;
};

// The backend in use; the headless one until SetBackend installs another.
KARTAVO_API TBackend& Backend();
// Installs a backend; call before the first control is created.
KARTAVO_API void SetBackend(std::unique_ptr<TBackend> Backend);

} // namespace fw
