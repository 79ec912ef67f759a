#include "kartavo/framework/string_list.h"

#include <stdexcept>

namespace fw {

void TStringList::SetStrings(int Index, const std::string& S) {
  FItems.at(static_cast<size_t>(Index)) = S;
  Changed();
}

int TStringList::Add(const std::string& S) {
  FItems.push_back(S);
  Changed();
  return Count() - 1;
}

void TStringList::Insert(int Index, const std::string& S) {
  if (Index < 0 || Index > Count()) throw std::out_of_range("List index out of bounds");
  FItems.insert(FItems.begin() + Index, S);
  Changed();
}

void TStringList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) throw std::out_of_range("List index out of bounds");
  FItems.erase(FItems.begin() + Index);
  Changed();
}

void TStringList::Clear() {
  if (FItems.empty()) return;
  FItems.clear();
  Changed();
}

int TStringList::IndexOf(const std::string& S) const {
  for (int i = 0; i < Count(); ++i)
    if (FItems[static_cast<size_t>(i)] == S) return i;
  return -1;
}

void TStringList::Assign(const TPersistent* Source) {
  if (const auto* list = dynamic_cast<const TStringList*>(Source)) {
    FItems = list->FItems;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

} // namespace fw
