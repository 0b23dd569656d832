#pragma once
// Pieces every dialog of the program is built from: its OK (and Cancel)
// buttons and its plain and bold labels.

#include <QString>

class QDialog;
class QDialogButtonBox;
class QLabel;
class QWidget;

namespace tarnwick {

// "OK" (the default button, object name "OKBtn") and, with `withCancel`,
// "Cancel" ("CancelBtn"), wired to accept and reject the dialog.
QDialogButtonBox* okCancelButtons(QDialog* dialog, bool withCancel = true);

// A label showing `text` as it is (no rich text); `name` becomes its object
// name when given.
QLabel* plainLabel(const QString& text, QWidget* parent, const char* name = nullptr);
QLabel* boldLabel(const QString& text, QWidget* parent, const char* name = nullptr);

}  // namespace tarnwick
