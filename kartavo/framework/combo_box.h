// A combo box: a field showing one line of its list, with a drop-down list
// to choose another.
#pragma once

#include "kartavo/framework/controls.h"
#include "kartavo/framework/export.h"
#include "kartavo/framework/string_list.h"

namespace fw {

enum TComboBoxStyle : uint8_t {
  csDropDown,
  csSimple,
  csDropDownList,
  csOwnerDrawFixed,
  csOwnerDrawVariable
};

class KARTAVO_API TComboBox : public TWinControl {
public:
  // 145 x 21 pixels, style csDropDown, white, empty.
  explicit TComboBox(TComponent* AOwner);

  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle value);
  TStringList* Items() { return &FItems; }
  const TStringList* Items() const { return &FItems; }
  // The chosen line, counted from 0, or -1. Setting it from the program
  // raises no event; an index outside the list chooses none.
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int value);
  // The chosen line's text; in the drop-down-list style setting it chooses
  // the line with that text (none when there is no such line).
  std::string Text() const;
  void SetText(const std::string& value);
  // Whether the list is dropped down. A click on the box drops it down and
  // a second one closes it; a box without lines has no list to drop.
  bool DroppedDown() const { return FDroppedDown; }
  void SetDroppedDown(bool value);

  // The user chose line Index in the drop-down list: the list closes, the
  // line becomes the chosen one, then OnSelect and OnChange are raised.
  // Backends call this.
  void ChooseItem(int Index);
  void Click() override;

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;

protected:
  void Paint() override;
  virtual void Select();
  virtual void Change();

private:
  void ItemsChanged();

  TComboBoxStyle FStyle = csDropDown;
  TStringList FItems;
  int FItemIndex = -1;
  std::string FText;
  bool FDroppedDown = false;
};

} // namespace fw
