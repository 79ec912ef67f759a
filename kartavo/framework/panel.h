// A panel: a raised area in the face colour that holds other controls and
// shows its caption in the middle.
#pragma once

#include "kartavo/framework/bevel.h"
#include "kartavo/framework/controls.h"
#include "kartavo/framework/export.h"

namespace fw {

class KARTAVO_API TPanel : public TCustomControl {
public:
  // 185 x 41 pixels, raised outer bevel, no inner one.
  explicit TPanel(TComponent* AOwner);

  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut value);
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut value);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int value);

protected:
  void Paint() override;

private:
  TBevelCut FBevelOuter = bvRaised;
  TBevelCut FBevelInner = bvNone;
  int FBevelWidth = 1;
};

} // namespace fw
