#pragma once
// "About ": the program's picture, name and version.

#include <QDialog>

class QLabel;

namespace tarnwick {

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);

    QLabel* versionLabel() const { return version_; }

private:
    QLabel* version_;
};

}  // namespace tarnwick
