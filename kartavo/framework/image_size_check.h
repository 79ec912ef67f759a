// A reader's question to its caller, asked as soon as a file's header gives
// the picture's size and before any pixel storage exists.
#pragma once

#include <functional>

namespace fw {

// Called once with the picture's width and height (each at most INT_MAX).
// An exception it throws refuses the picture: the reader stops without
// allocating pixels and the exception reaches the reader's caller.
using TImageSizeCheck = std::function<void(int Width, int Height)>;

} // namespace fw
