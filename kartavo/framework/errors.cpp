#include "kartavo/framework/errors.h"

#include <cstring>

namespace fw {

EInOutError::EInOutError(int errorCode, std::string path, const std::string& what)
    : Exception(what), FErrorCode(errorCode), FPath(std::move(path)) {}

EInOutError EInOutError::FromErrno(int errorCode, const std::string& path,
                                   const std::string& what) {
  return EInOutError(errorCode, path, what + " \"" + path + "\": " + std::strerror(errorCode));
}

} // namespace fw
