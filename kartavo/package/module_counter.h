// The start-up counter every module keeps: start-up counts down, shut-down
// counts up and does the module's work only when it undoes the last start-up.
#pragma once

namespace kartavo {

class TModuleCounter {
public:
  void StartUp() { --FCount; }
  // True when this shut-down undoes the last start-up (the counter was -1).
  bool ShutDown() { return FCount++ == -1; }
  int Count() const { return FCount; }

private:
  int FCount = 0;
};

} // namespace kartavo
