// One exception class per module. geobasics raises plain texts; geodb and
// geomap use the component message form built by ComponentMessage.
#pragma once

#include "kartavo/companion/quillon.h"
#include "kartavo/framework/object.h"

#include <string>

namespace kartavo {

class EORVGeoBasicsError : public quillon::EORVError {
public:
  using quillon::EORVError::EORVError;
};

class EORVGeoDBError : public quillon::EORVError {
public:
  using quillon::EORVError::EORVError;
};

class EORVGeoMapError : public quillon::EORVError {
public:
  using quillon::EORVError::EORVError;
};

// "Component \"<Name>\": <Text>"
std::string ComponentMessage(const fw::TComponent& Component, const std::string& Text);

} // namespace kartavo
