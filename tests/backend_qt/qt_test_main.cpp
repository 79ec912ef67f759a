// The Qt tests run in one QApplication with the Qt backend installed before
// any control exists, as in a Qt program.
#include "kartavo/backend_qt/qt_backend.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  kartavo::qt::InstallBackend();
  return RUN_ALL_TESTS();
}
