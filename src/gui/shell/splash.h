#pragma once
// The splash window shown while the main window is made: borderless,
// centred, on top, with the picture and the version. It stays up for at
// least its given time.

#include <QElapsedTimer>
#include <QWidget>

namespace tarnwick {

class Splash : public QWidget {
    Q_OBJECT
public:
    // `minimumMs` counts from construction; the program uses 4000.
    explicit Splash(int minimumMs = 4000, QWidget* parent = nullptr);

    // Shows the splash centred on the screen and lets it paint.
    void showCentred();
    // Processes events until the minimum time has passed, then closes.
    void finish();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int minimumMs_;
    QElapsedTimer shown_;
};

}  // namespace tarnwick
