#pragma once
// The "Data Preferences" dialog: data type, station spacing, unit system and
// default cut/fill ratio. It edits the live preferences as the user clicks
// and types; "OK" (or Esc) only closes it.

#include <QDialog>

#include "core/field/field.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tarnwick {

class PreferencesDialog : public QDialog {
    Q_OBJECT
public:
    PreferencesDialog(Preferences& prefs, QWidget* parent = nullptr);

    // Shows the preferences as they are now.
    void refresh();

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void radioClicked();
    void ratioFinished();

    Preferences& prefs_;
    QRadioButton* elevations_;
    QRadioButton* rodReadings_;
    QComboBox* rowSpacing_;
    QComboBox* colSpacing_;
    QLabel* rowUnit_;
    QLabel* colUnit_;
    QRadioButton* feet_;
    QRadioButton* meters_;
    QLineEdit* ratio_;
    QPushButton* ok_;
};

// Shows the dialog modally over `parent` until the user closes it.
void showPreferencesDialog(QWidget* parent, Preferences& prefs);

}  // namespace tarnwick
