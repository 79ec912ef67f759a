// Shared helpers of the control tests: a control that records what reaches
// it, and a fixture that starts every test with an empty input queue.
#pragma once

#include "kartavo/framework/controls.h"
#include "kartavo/framework/desktop.h"
#include "kartavo/framework/errors.h"
#include "kartavo/framework/headless_backend.h"
#include "kartavo/framework/screen.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace ctl_test {

// Writes one line per event it receives: "<name> down L 3,4", "<name> click", ...
class TProbe : public fw::TCustomControl {
public:
  TProbe(std::vector<std::string>& log, std::string name) : TCustomControl(nullptr), FLog(log) {
    SetName(name);
    OnMouseDown = [this](fw::TObject*, fw::TMouseButton b, fw::TShiftState s, int x, int y) {
      Record("down", b, s, x, y);
    };
    OnMouseUp = [this](fw::TObject*, fw::TMouseButton b, fw::TShiftState s, int x, int y) {
      Record("up", b, s, x, y);
    };
    OnMouseMove = [this](fw::TObject*, fw::TShiftState s, int x, int y) {
      Record("move", fw::mbLeft, s, x, y);
    };
    OnClick = [this](fw::TObject*) { FLog.push_back(Name() + " click"); };
    OnDblClick = [this](fw::TObject*) { FLog.push_back(Name() + " dblclick"); };
  }
  int PaintCount = 0;

protected:
  void Paint() override { ++PaintCount; }

private:
  void Record(const char* what, fw::TMouseButton b, fw::TShiftState s, int x, int y) {
    std::string line = Name() + " " + what;
    if (std::string(what) != "move")
      line += b == fw::mbLeft ? " L" : b == fw::mbRight ? " R" : " M";
    line += " " + std::to_string(x) + "," + std::to_string(y);
    if (s.Contains(fw::ssLeft)) line += " +left";
    if (s.Contains(fw::ssCtrl)) line += " +ctrl";
    if (s.Contains(fw::ssDouble)) line += " +double";
    FLog.push_back(line);
  }
  std::vector<std::string>& FLog;
};

class ControlTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_NE(fw::HeadlessBackend(), nullptr);
    Flush();
  }
  void TearDown() override { Flush(); }
  // Delivers what is queued and forgets what was logged.
  void Flush() {
    fw::Application().ProcessMessages();
    Log.clear();
  }
  fw::THeadlessBackend& Input() { return *fw::HeadlessBackend(); }
  // Posts a click and delivers it, with whatever was queued before it.
  void Click(const fw::TControl* target, fw::TMouseButton button, int x, int y) {
    Input().PostClick(target, button, x, y);
    fw::Application().ProcessMessages();
  }
  std::unique_ptr<TProbe> Probe(const std::string& name, fw::TWinControl* parent, int l, int t,
                                int w, int h) {
    auto p = std::make_unique<TProbe>(Log, name);
    p->SetBounds(l, t, w, h);
    p->SetParent(parent);
    return p;
  }
  std::vector<std::string> Log;
};

} // namespace ctl_test
