// tarnwick: the desktop program.
//
//   tarnwick [FIELD.fld]
//       Starts with the splash window, reads the settings file once, and
//       opens FIELD.fld when it is given.
//   tarnwick --screenshot PNG PAGE [FIELD.fld]
//       Starts without the splash, shows page PAGE (0 "Survey" .. 5 "3D
//       View"), saves a picture of the main window to PNG and ends without
//       the close questions. Used to look at the window on a machine
//       without a screen (under Xvfb).

#include <QApplication>
#include <QDir>
#include <QStringList>
#include <QTabWidget>
#include <exception>

#include "gui/common/command_guard.h"
#include "gui/shell/gui_prompt.h"
#include "gui/files/ini_settings_store.h"
#include "gui/shell/main_window.h"
#include "core/session/session.h"
#include "core/files/settings.h"
#include "gui/shell/splash.h"

namespace {

// The last guard: an error outside any command (every command has its
// own, gui/common/command_guard.h) becomes the same error box.
class Application : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            tarnwick::showUnexpectedError(activeWindow(), QString::fromUtf8(e.what()));
        } catch (...) {
            tarnwick::showUnexpectedError(activeWindow(), QStringLiteral("Unexpected error."));
        }
        return false;
    }
};

}  // namespace

int main(int argc, char** argv) {
    Application app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(tarnwick::kProgramName));
    QApplication::setApplicationVersion(QString::fromUtf8(tarnwick::kVersionText));

    QStringList args = QApplication::arguments().mid(1);
    QString screenshot;
    int screenshotPage = 0;
    if (args.size() >= 3 && args[0] == QLatin1String("--screenshot")) {
        screenshot = args[1];
        screenshotPage = args[2].toInt();
        args = args.mid(3);
    }

    tarnwick::Splash splash(screenshot.isEmpty() ? 4000 : 0);
    if (screenshot.isEmpty()) splash.showCentred();

    tarnwick::GuiPrompt prompt;
    tarnwick::Session session(prompt);
    // The settings file is read once, here: a field's own preferences stay
    // in force until the user changes them.
    {
        tarnwick::IniSettingsStore store;
        tarnwick::applySettings(session, tarnwick::readSettings(store));
    }

    tarnwick::MainWindow window(session);
    prompt.setParentWidget(&window);
#ifdef TARNWICK_SOURCE_DIR
    window.setGuideFolders(window.guideFolders() + QStringList{QStringLiteral(TARNWICK_SOURCE_DIR "/docs/guide")});
#endif

    splash.finish();
    window.show();
    if (args.size() == 1 && args[0] != QLatin1String("agps"))
        tarnwick::runCommand(&window,
                             [&] { session.openFieldCommand(QDir::fromNativeSeparators(args[0]).toStdString()); });
    window.showSurveyPage();

    if (!screenshot.isEmpty()) {
        window.pages()->setCurrentIndex(screenshotPage);
        QApplication::processEvents();
        return window.grab().save(screenshot) ? 0 : 1;
    }
    return app.exec();
}
