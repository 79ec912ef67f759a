// kartavo-viewer [FILE.xml | FOLDER] [--landmarks FILE]: a window onto a
// calibrated map, or onto a folder of them as an atlas.
#include "viewer_window.h"

#include "kartavo/backend_qt/qt_backend.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("kartavo-viewer");
  QCommandLineParser args;
  args.setApplicationDescription("Shows a calibrated map, or a folder of them as an atlas: zoom, "
                                 "pan, graticule, UTM grid, landmarks, the position under the "
                                 "pointer.");
  args.addHelpOption();
  args.addPositionalArgument("FILE.xml|FOLDER",
                             "the calibration file of the map to open, or a folder of "
                             "calibration files to open as an atlas");
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
