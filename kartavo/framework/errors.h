// Exceptions raised by the framework layer.
#pragma once

#include "kartavo/framework/export.h"

#include <stdexcept>
#include <string>

namespace fw {

// Base of the framework's own failures.
class KARTAVO_API Exception : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// A file operation failed; carries the operating system's error number and the path.
class KARTAVO_API EInOutError : public Exception {
public:
  EInOutError(int errorCode, std::string path, const std::string& what);
  // Builds the message from errno's text: "<what> \"<path>\": <strerror>".
  static EInOutError FromErrno(int errorCode, const std::string& path, const std::string& what);
  int ErrorCode() const { return FErrorCode; }
  const std::string& Path() const { return FPath; }

private:
  int FErrorCode;
  std::string FPath;
};

// An image file could not be read or written: malformed, truncated, unsupported or too large.
class KARTAVO_API EInvalidGraphic : public Exception {
public:
  using Exception::Exception;
};

// A stream could not deliver or take the bytes asked for.
class KARTAVO_API EStreamError : public Exception {
public:
  using Exception::Exception;
};

// Assign between classes that cannot be copied into each other.
class KARTAVO_API EConvertError : public Exception {
public:
  using Exception::Exception;
};

} // namespace fw
