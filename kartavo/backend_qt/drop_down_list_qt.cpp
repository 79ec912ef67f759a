// Combo box lists as Qt popup menus.
#include "kartavo/backend_qt/qt_backend.h"
#include "kartavo/backend_qt/surface_widget.h"
#include "kartavo/framework/combo_box.h"

#include <QMenu>

namespace kartavo::qt {

void TQtBackend::CloseDropDownMenu() {
  if (QWidget* menu = FDropMenu.data()) {
    FDropMenu = nullptr;
    menu->close();
  }
}

void TQtBackend::DropDownList(fw::TComboBox* Box, bool Open) {
  if (!Open) {
    if (Box == FDropBox) CloseDropDownMenu();
    return;
  }
  // Only one list shows at a time, as a popup takes all input.
  fw::TComboBox* previous = FDropMenu ? FDropBox : nullptr;
  CloseDropDownMenu();
  if (previous && previous != Box) previous->SetDroppedDown(false);
  TSurfaceWidget* window = Window(TopLevelOf(Box));
  FDropBox = Box;
  if (!window || !window->isVisible()) {
    Box->SetDroppedDown(false);
    return;
  }
  auto* menu = new QMenu(window);
  const fw::TStringList& lines = *Box->Items();
  for (int i = 0; i < lines.Count(); ++i) {
    QAction* line = menu->addAction(QString::fromStdString(lines.Strings(i)));
    line->setCheckable(true);
    line->setChecked(i == Box->ItemIndex());
    // The menu hides before the action fires; the box may be gone by then.
    QObject::connect(line, &QAction::triggered, menu, [this, Box, i] {
      if (FDropBox == Box) Box->ChooseItem(i);
    });
  }
  QObject::connect(menu, &QMenu::aboutToHide, menu, [this, Box, menu] {
    menu->deleteLater();
    if (FDropMenu != menu) return;
    FDropMenu = nullptr;
    if (FDropBox == Box) Box->SetDroppedDown(false);
  });
  FDropMenu = menu;
  menu->setMinimumWidth(Box->Width());
  const fw::TPoint below =
      window->Control()->ScreenToClient(Box->ClientToScreen(fw::Point(0, Box->Height())));
  menu->popup(window->mapToGlobal(QPoint(below.X, below.Y)));
}

} // namespace kartavo::qt
