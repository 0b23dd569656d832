#pragma once
// The HTML user guide: found beside the program ("guide/index.html") or in
// the source tree, shown in a browser window of its own.

#include <QStringList>
#include <QWidget>

class QTextBrowser;

namespace tarnwick {

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Opens `index` (an HTML file) on its first page and brings the window up.
    void showGuide(const QString& index);

    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

// The first "index.html" found in `folders`; empty when none is there.
QString findGuideIndex(const QStringList& folders);

}  // namespace tarnwick
