#pragma once
// The program's commands as actions, known by their object names
// ("FileNewItem", "EditCopyItem", ...). Each controller makes its own
// actions here and connects them to its commands; the menu bar and the
// tool bar only place them by name.

#include <QHash>
#include <QPointer>
#include <QString>

class QAction;
class QObject;

namespace tarnwick {

class ActionRegistry {
public:
    // A new action owned by `owner`, with its caption, its object name and
    // its hint ("short|long", gui/common/hint.h).
    QAction* add(QObject* owner, const QString& name, const QString& caption, const QString& hint = {});
    // The action of that name; nullptr when no controller made one.
    QAction* find(const QString& name) const;

private:
    QHash<QString, QPointer<QAction>> actions_;
};

}  // namespace tarnwick
