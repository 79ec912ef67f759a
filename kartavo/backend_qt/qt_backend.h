// The Qt backend: every control without a parent shows in a window of its
// own (or in a TSurfaceWidget a program placed), child controls as regions
// of it; input comes from Qt, the cursor is Qt's, the clipboard is the
// system's. Install it once a QApplication exists and before the first
// control is made.
//
// Controls draw on their surfaces at any time (the map control renders
// straight onto its canvas, mouse modes draw rubber bands in XOR mode), so
// the backend finds what changed itself: whenever the event loop is about
// to wait, and after ProcessMessages and each input message, it compares
// every showing surface with the copy it last showed and has Qt repaint the
// rows that differ.
#pragma once

#include "kartavo/framework/backend.h"
#include "kartavo/framework/export.h"

#include <QPointer>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <map>
#include <vector>

namespace kartavo::qt {

class TSurfaceWidget;

class KARTAVO_API TQtBackend : public fw::TBackend {
public:
  TQtBackend();
  ~TQtBackend() override;

  void CreateSurface(fw::TControl* Control) override;
  void DestroySurface(fw::TControl* Control) override;
  void SurfaceChanged(fw::TControl* Control) override;
  void Present(fw::TControl* Control, const fw::TRect& Area) override;
  void CursorChanged(fw::TControl* Control) override;
  void SetClipboardImage(const fw::TPixelImage& Image) override;
  bool ClipboardHasImage() const override;
  fw::TPixelImage ClipboardImage() const override;
  void ClearClipboard() override;
  // A combo box's list is a Qt popup menu below the box, its chosen line
  // checked; picking a line chooses it in the box.
  void DropDownList(fw::TComboBox* Box, bool Open) override;
  // Runs Qt's event loop once without waiting, paints invalidated controls
  // and shows what changed. When Qt had nothing to do it sleeps a
  // millisecond, so that a loop waiting for the user does not spin a core.
  void ProcessMessages() override;

  // A program's widget shows Control from now on (null: no widget).
  void Attach(fw::TControl* Control, TSurfaceWidget* Widget);
  // The widget showing the top-level control (null when none).
  TSurfaceWidget* Window(const fw::TControl* Control) const;
  // Paints invalidated controls, opens windows for new top-level controls
  // and has Qt repaint what changed on the surfaces.
  void Flush();

private:
  struct TShadow {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Bits;
  };
  void OpenWindows();
  void ShowChanges();
  void ShowChanges(fw::TControl* Control, TSurfaceWidget* Window, fw::TPoint Offset);
  QRect ChangedRows(fw::TControl* Control);
  void PlaceWindow(TSurfaceWidget* Window);
  void UpdateCursor(TSurfaceWidget* Window);
  void CloseDropDownMenu();

  std::map<const fw::TControl*, TSurfaceWidget*> FWindows;
  std::map<const fw::TControl*, TShadow> FShadows;
  bool FFlushing = false;
  // The box whose list menu exists (null once the box is gone) and the
  // menu while it shows.
  fw::TComboBox* FDropBox = nullptr;
  QPointer<QWidget> FDropMenu;
};

// The installed backend when it is the Qt one, else null.
KARTAVO_API TQtBackend* QtBackend();
// Installs the Qt backend unless it is already in use; needs a QApplication.
KARTAVO_API TQtBackend& InstallBackend();
// The control without a parent that holds Control.
KARTAVO_API fw::TControl* TopLevelOf(fw::TControl* Control);

} // namespace kartavo::qt
