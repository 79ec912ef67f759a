// The application, the screen and the clipboard: one of each per program.
#pragma once

#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/cursor.h"
#include "kartavo/framework/export.h"
#include "kartavo/framework/object.h"

#include <map>
#include <string>

namespace fw {

class KARTAVO_API TApplication : public TComponent {
public:
  TApplication() : TComponent(nullptr) {}
  // Delivers pending input and paints invalidated controls, then returns;
  // a loop that waits for the user calls it over and over.
  void ProcessMessages();
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& value) { FTitle = value; }

private:
  std::string FTitle;
};

// The screen's cursor table: numbered cursor images a program adds to the
// standard shapes (crDefault, crHandPoint, ...), and a cursor that, when not
// crDefault, shows everywhere in place of the controls' own.
class KARTAVO_API TScreen : public TComponent {
public:
  TScreen() : TComponent(nullptr) {}
  // The image entered under Index, or null (always null for the standard shapes).
  const TCursorImage* Cursors(int Index) const;
  void SetCursors(int Index, const TCursorImage& Image);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor value);

private:
  std::map<int, TCursorImage> FCursors;
  TCursor FCursor = crDefault;
};

// Clipboard formats.
constexpr int CF_TEXT = 1;
constexpr int CF_BITMAP = 2;

// The system clipboard, holding a picture. Assign a bitmap to put a copy on
// it; assign the clipboard to a bitmap to get a copy back.
class KARTAVO_API TClipboard : public TPersistent {
public:
  void Assign(const TPersistent* Source) override;
  bool HasFormat(int Format) const;
  void Clear();

protected:
  // Raises EInvalidGraphic "Unsupported clipboard format" when no picture is there.
  void AssignTo(TPersistent* Dest) const override;
};

KARTAVO_API TApplication& Application();
KARTAVO_API TScreen& Screen();
KARTAVO_API TClipboard& Clipboard();

} // namespace fw
