// The backend without a display: surfaces stay readable bitmaps, presenting
// only counts, the clipboard keeps its picture in memory, and input comes
// from a queue that tests and batch programs fill.
#pragma once

#include "kartavo/framework/backend.h"
#include "kartavo/framework/desktop.h"
#include "kartavo/framework/export.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>

namespace fw {

class KARTAVO_API THeadlessBackend : public TBackend {
public:
  // Mouse input at screen coordinates ...
  void PostMouseDown(TMouseButton Button, int X, int Y, TShiftState Keys = {});
  void PostMouseMove(int X, int Y, TShiftState Keys = {});
  void PostMouseUp(TMouseButton Button, int X, int Y, TShiftState Keys = {});
  // ... or at client coordinates of a control, turned into screen
  // coordinates when posted.
  void PostMouseDown(const TControl* Control, TMouseButton Button, int X, int Y,
                     TShiftState Keys = {});
  void PostMouseMove(const TControl* Control, int X, int Y, TShiftState Keys = {});
  void PostMouseUp(const TControl* Control, TMouseButton Button, int X, int Y,
                   TShiftState Keys = {});
  // A press and a release.
  void PostClick(const TControl* Control, TMouseButton Button, int X, int Y, TShiftState Keys = {});
  // The second press of a double click with the left button, and its
  // release; a full double click is PostClick followed by PostDblClick.
  void PostDblClick(const TControl* Control, int X, int Y, TShiftState Keys = {});
  // A wheel turn of Delta (120 a notch, positive away from the user).
  void PostMouseWheel(const TControl* Control, int Delta, int X, int Y, TShiftState Keys = {});
  void PostMessage(const TMouseMessage& Message) { FQueue.push_back(Message); }
  int PendingMessages() const { return static_cast<int>(FQueue.size()); }

  // Called whenever ProcessMessages finds the queue empty, so that a test
  // can feed a control that loops on ProcessMessages waiting for input.
  std::function<void()> OnIdle;

  // How often the control's surface was presented.
  int PresentCount(const TControl* Control) const;
  // The cursor the pointer shows now: the screen's when set, else that of
  // the control under the pointer.
  TCursor ShownCursor() const;

  void CreateSurface(TControl* Control) override;
  void DestroySurface(TControl* Control) override;
  void SurfaceChanged(TControl*) override {}
  void Present(TControl* Control, const TRect& Area) override;
  void CursorChanged(TControl*) override {}
  void SetClipboardImage(const TPixelImage& Image) override { FClipboard = Image; }
  bool ClipboardHasImage() const override { return FClipboard.has_value(); }
  TPixelImage ClipboardImage() const override;
  void ClearClipboard() override { FClipboard.reset(); }
  void ProcessMessages() override;

private:
  void Post(TMouseMessageKind kind, TMouseButton button, TPoint screen, TShiftState keys);

  std::deque<TMouseMessage> FQueue;
  std::map<const TControl*, int> FPresents;
  std::optional<TPixelImage> FClipboard;
  bool FInIdle = false;
};

// The installed backend when it is the headless one, else null.
KARTAVO_API THeadlessBackend* HeadlessBackend();

} // namespace fw
