#pragma once
// Hints of menu items and controls: "short|long", the short part as the
// tool tip, the long part in the status bar's first panel. A hint without
// "|" is used for both.

#include <QString>

class QAction;
class QWidget;

namespace tarnwick {

QString shortHint(const QString& hint);
QString longHint(const QString& hint);

void setHint(QAction* action, const QString& hint);
void setHint(QWidget* widget, const QString& hint);

}  // namespace tarnwick
