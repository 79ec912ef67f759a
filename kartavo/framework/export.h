// KARTAVO_API marks a name the library exports. The library is built with
// hidden visibility, so a class or function without the mark stays internal
// to libkartavo.so and cannot be linked by a host.
#pragma once

#define KARTAVO_API __attribute__((visibility("default")))
