#pragma once
// The "3D View" page: the station and angle labels, the choice of surface
// ("Survey Readings", "Full Design", "Sector Design"), "Print Graph", the
// plot, and the hint at the bottom. The page refreshes its surface when it
// is entered, when a surface is chosen and after every design while it is
// shown (a hidden page refreshes when it is entered); New and Open turn the
// view back to its cleared angles.

#include <QWidget>

#include "core/view3d/surface.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace tarnwick {

class Session;
class SessionNotifier;
class SurfaceWidget;

class View3DPage : public QWidget {
    Q_OBJECT
public:
    View3DPage(Session& session, SessionNotifier& notifier, QWidget* parent = nullptr);

    // Refresh 3D view.
    void refresh();

    Surface3D& surface() { return surface_; }
    SurfaceWidget* plot() const { return plot_; }
    QLabel* stationLabel() const { return station_; }
    QLabel* angleLabel() const { return angle_; }
    QRadioButton* choiceButton(SurfaceChoice c) const;
    QPushButton* printGraphButton() const { return printGraph_; }

private:
    void choose(SurfaceChoice c);
    void showChoice();

    Session& session_;
    Surface3D surface_;
    SurfaceWidget* plot_;
    QLabel* station_;
    QLabel* angle_;
    QRadioButton* survey_;
    QRadioButton* full_;
    QRadioButton* sector_;
    QPushButton* printGraph_;
};

}  // namespace tarnwick
