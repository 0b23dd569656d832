#include "gui/common/action_registry.h"

#include <QAction>

#include "gui/common/hint.h"

namespace tarnwick {

QAction* ActionRegistry::add(QObject* owner, const QString& name, const QString& caption, const QString& hint) {
    auto* a = new QAction(caption, owner);
    a->setObjectName(name);
    if (!hint.isEmpty()) setHint(a, hint);
    actions_.insert(name, a);
    return a;
}

QAction* ActionRegistry::find(const QString& name) const {
    return actions_.value(name);
}

}  // namespace tarnwick
