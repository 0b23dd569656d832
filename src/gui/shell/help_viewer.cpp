#include "gui/shell/help_viewer.h"

#include <QAction>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "core/session/session.h"

namespace tarnwick {

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("%1 Help").arg(QString::fromUtf8(kProgramName)));
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);
    auto* bar = new QToolBar(this);
    QAction* back = bar->addAction(QStringLiteral("Back"), browser_, &QTextBrowser::backward);
    QAction* forward = bar->addAction(QStringLiteral("Forward"), browser_, &QTextBrowser::forward);
    bar->addAction(QStringLiteral("Contents"), browser_, &QTextBrowser::home);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(browser_);
    resize(760, 560);
}

void HelpViewer::showGuide(const QString& index) {
    browser_->clearHistory();
    browser_->setSource(QUrl::fromLocalFile(index));
    show();
    raise();
    activateWindow();
}

QString findGuideIndex(const QStringList& folders) {
    for (const QString& folder : folders) {
        const QFileInfo index(folder + QStringLiteral("/index.html"));
        if (index.isFile()) return index.absoluteFilePath();
    }
    return {};
}

}  // namespace tarnwick
