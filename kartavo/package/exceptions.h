// One exception class per module. geobasics raises plain texts; geodb and
// geomap use the component message form built by ComponentMessage.
#pragma once

#include "kartavo/companion/quillon.h"
#include "kartavo/framework/export.h"
#include "kartavo/framework/object.h"

#include <string>

namespace kartavo {

class KARTAVO_API EORVGeoBasicsError : public quillon::EORVError {
public:
  using quillon::EORVError::EORVError;
};

class KARTAVO_API EORVGeoDBError : public quillon::EORVError {
public:
  using quillon::EORVError::EORVError;
};

class KARTAVO_API EORVGeoMapError : public quillon::EORVError {
public:
  using quillon::EORVError::EORVError;
};

// "Component \"<Name>\": <Text>"
KARTAVO_API std::string ComponentMessage(const fw::TComponent& Component, const std::string& Text);

} // namespace kartavo
