#pragma once
// The real main window over a session that answers from a script, shown and
// active, so that keys and clicks reach it on the offscreen platform.

#include <QAction>
#include <QApplication>
#include <QtTest>

#include "gui/shell/main_window.h"
#include "core/session/session.h"
#include "support/scripted_prompt.h"

namespace tarnwick::test {

struct ScriptedWindow {
    ScriptedPrompt prompt;
    Session session{prompt};
    MainWindow window{session};

    ScriptedWindow() {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QApplication::setActiveWindow(&window);
    }
    QAction* action(const char* name) { return window.findChild<QAction*>(QString::fromLatin1(name)); }
    void open(const QString& path) { QVERIFY(session.openFieldCommand(path.toStdString())); }
};

}  // namespace tarnwick::test
