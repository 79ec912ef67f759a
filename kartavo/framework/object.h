// The component model: objects, persistent objects that copy into each
// other, and components that own the components created with them as owner.
#pragma once

#include "kartavo/framework/export.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fw {

class KARTAVO_API TObject {
public:
  virtual ~TObject() = default;
  // The class name without namespaces, e.g. "TGeoMap".
  std::string ClassName() const;
};

class KARTAVO_API TPersistent : public TObject {
public:
  // Copies Source into this object by asking Source to AssignTo(this).
  // Raises EConvertError when neither side knows the other.
  virtual void Assign(const TPersistent* Source);

protected:
  virtual void AssignTo(TPersistent* Dest) const;
};

enum TComponentStateFlag : uint8_t {
  csLoading = 1,
  csReading = 2,
  csWriting = 4,
  csDesigning = 8,
  csDestroying = 16
};
using TComponentState = uint8_t;

class KARTAVO_API TComponent : public TPersistent {
public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return FOwner; }
  const std::string& Name() const { return FName; }
  virtual void SetName(const std::string& value) { FName = value; }
  TComponentState ComponentState() const { return FComponentState; }
  void SetDesigning(bool value);
  void SetLoading(bool value);
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  // Owned components in creation order, counted from 0.
  TComponent* Components(int index) const { return FComponents.at(static_cast<size_t>(index)); }

private:
  void InsertComponent(TComponent* c) { FComponents.push_back(c); }
  void RemoveComponent(TComponent* c);

  TComponent* FOwner = nullptr;
  std::string FName;
  TComponentState FComponentState = 0;
  std::vector<TComponent*> FComponents;
};

} // namespace fw
