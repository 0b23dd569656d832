#include "gui/files/file_commands.h"

#include <QAction>
#include <QWidget>

#include "core/session/session.h"
#include "gui/common/action_registry.h"
#include "gui/common/artwork.h"
#include "gui/common/command_guard.h"
#include "gui/files/ini_settings_store.h"

namespace tarnwick {

FileCommands::FileCommands(QWidget& window, Session& session, ActionRegistry& actions)
    : QObject(&window), window_(window), session_(session) {
    struct Command {
        const char* name;
        const char* caption;
        const char* hint;
        QKeySequence shortcut;
        bool onToolBar;
        ToolIcon icon;
        const char* iconText;
        void (*run)(Session&);
    };
    const Command commands[] = {
        {"FileNewItem", "&New", "New|Create a new file", QKeySequence(Qt::CTRL | Qt::Key_N), true, ToolIcon::New,
         "New", [](Session& s) { s.newField(); }},
        {"FileOpenItem", "&Open", "Open|Open a file", QKeySequence(Qt::CTRL | Qt::Key_O), true, ToolIcon::Open, "Open",
         [](Session& s) { s.openCommand(); }},
        {"FileSaveItem", "&Save", "Save|Save current file", QKeySequence(Qt::CTRL | Qt::Key_S), true, ToolIcon::Save,
         "Save", [](Session& s) { s.saveCommand(); }},
        {"FileSaveAsItem", "Save &As...", "Save As|Save current file with different name", {}, false, ToolIcon::New,
         nullptr, [](Session& s) { s.saveAsCommand(); }},
    };
    for (const Command& c : commands) {
        QAction* a = actions.add(this, QString::fromLatin1(c.name), QString::fromLatin1(c.caption),
                                 QString::fromLatin1(c.hint));
        a->setShortcut(c.shortcut);
        if (c.onToolBar) {
            a->setIcon(toolIcon(c.icon));
            a->setIconText(QString::fromLatin1(c.iconText));
        }
        connect(a, &QAction::triggered, this, [this, run = c.run] { runCommand(&window_, [&] { run(session_); }); });
    }

    QAction* prefs = actions.add(this, QStringLiteral("PreferencesItem"), QStringLiteral("Preferences..."));
    connect(prefs, &QAction::triggered, this, [this] {
        runCommand(&window_, [&] {
            IniSettingsStore store;
            session_.preferencesCommand(&store);
        });
    });
}

}  // namespace tarnwick
