#include "kartavo/package/exceptions.h"

namespace kartavo {

std::string ComponentMessage(const fw::TComponent& Component, const std::string& Text) {
  return "Component \"" + Component.Name() + "\": " + Text;
}

} // namespace kartavo
