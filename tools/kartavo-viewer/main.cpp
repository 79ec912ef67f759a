// kartavo-viewer [FILE.xml] [--landmarks FILE]: a window onto a calibrated map.
#include "viewer_window.h"

#include "kartavo/backend_qt/qt_backend.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("kartavo-viewer");
  QCommandLineParser args;
  args.setApplicationDescription("Shows a calibrated map: zoom, pan, graticule, UTM grid, "
                                 "landmarks, the position under the pointer.");
  args.addHelpOption();
  args.addPositionalArgument("FILE.xml", "the calibration file of the map to open");
  const QCommandLineOption landmarks("landmarks", "landmark file to show", "FILE");
  args.addOption(landmarks);
  args.process(app);
  if (args.positionalArguments().size() > 1) args.showHelp(2);
  kartavo::qt::InstallBackend();
  kartavo::viewer::TViewerWindow window;
  window.show();
  if (!args.positionalArguments().isEmpty()) window.OpenMap(args.positionalArguments().first());
  if (args.isSet(landmarks)) window.OpenLandmarks(args.value(landmarks));
  return app.exec();
}
