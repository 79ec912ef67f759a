// A list of strings, as list and combo boxes keep their lines.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/framework/object.h"

#include <functional>
#include <string>
#include <vector>

namespace fw {

class KARTAVO_API TStringList : public TPersistent {
public:
  // Lines count from 0; Strings raises std::out_of_range for other indexes.
  int Count() const { return static_cast<int>(FItems.size()); }
  const std::string& Strings(int Index) const { return FItems.at(static_cast<size_t>(Index)); }
  void SetStrings(int Index, const std::string& S);
  // Appends S and returns its index.
  int Add(const std::string& S);
  void Insert(int Index, const std::string& S);
  void Delete(int Index);
  void Clear();
  // The index of the first line equal to S, or -1.
  int IndexOf(const std::string& S) const;

  void Assign(const TPersistent* Source) override;

  // Raised after every change of the lines.
  std::function<void(TObject* Sender)> OnChange;

private:
  void Changed() {
    if (OnChange) OnChange(this);
  }
  std::vector<std::string> FItems;
};

} // namespace fw
