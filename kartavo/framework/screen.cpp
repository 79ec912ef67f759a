#include "kartavo/framework/screen.h"

#include "kartavo/framework/backend.h"

namespace fw {

TApplication& Application() {
  static TApplication application;
  return application;
}

TScreen& Screen() {
  static TScreen screen;
  return screen;
}

TClipboard& Clipboard() {
  static TClipboard clipboard;
  return clipboard;
}

void TApplication::ProcessMessages() { Backend().ProcessMessages(); }

const TCursorImage* TScreen::Cursors(int Index) const {
  auto it = FCursors.find(Index);
  return it == FCursors.end() ? nullptr : &it->second;
}

void TScreen::SetCursors(int Index, const TCursorImage& Image) {
  if (Index <= crDefault) return; // the standard shapes are the system's own
  FCursors[Index] = Image;
}

void TScreen::SetCursor(TCursor value) {
  if (value == FCursor) return;
  FCursor = value;
  Backend().CursorChanged(nullptr);
}

void TClipboard::Assign(const TPersistent* Source) {
  if (const auto* bitmap = dynamic_cast<const TBitmap*>(Source)) {
    Backend().SetClipboardImage(bitmap->PixelImage());
    return;
  }
  TPersistent::Assign(Source);
}

bool TClipboard::HasFormat(int Format) const {
  return Format == CF_BITMAP && Backend().ClipboardHasImage();
}

void TClipboard::Clear() { Backend().ClearClipboard(); }

void TClipboard::AssignTo(TPersistent* Dest) const {
  if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
    bitmap->LoadFromPixelImage(Backend().ClipboardImage());
    return;
  }
  TPersistent::AssignTo(Dest);
}

} // namespace fw
