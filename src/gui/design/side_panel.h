#pragma once
// The side panel of the main window: " Full Field Survey Info  ", the
// design summary of all sectors, and the design tab set ("Entire Field",
// "Sector1".."Sector7") with the design entry boxes of the record shown.
// Every figure comes from the session; the panel only shows it and passes
// the user's entries on.

#include <QLineEdit>
#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QTabBar;

namespace tarnwick {

class Session;
class SessionNotifier;
enum class DesignBox;

// A design entry box: at most 7 characters, numbers only, Return moves on
// as Tab does, text red while changed until the record is shown again.
class DesignBoxEdit : public QLineEdit {
    Q_OBJECT
public:
    DesignBoxEdit(DesignBox box, QWidget* parent = nullptr);

    DesignBox box() const { return box_; }
    bool changed() const { return changed_; }
    // The record's value, shown unchanged.
    void showValue(const QString& text);

signals:
    void entered();
    void left();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void markChanged(bool changed);

    DesignBox box_;
    bool changed_ = false;
};

class SidePanel : public QWidget {
    Q_OBJECT
public:
    SidePanel(Session& session, SessionNotifier& notifier, QWidget* parent = nullptr);

    QTabBar* designTabs() const { return tabs_; }
    DesignBoxEdit* designBox(DesignBox box) const;
    QPushButton* minimizeButton() const { return minimize_; }

    // Shows the session's captions, summary and design record again.
    void refresh();

private:
    QWidget* makeInfoGroup();
    QWidget* makeSummaryGroup();
    QWidget* makeDesignTabs();
    void showTabs();
    void enterBox(DesignBoxEdit* box);
    void typedInBox(DesignBoxEdit* box);
    void leaveBox(DesignBoxEdit* box);
    // A click on the stepper beside a slope box.
    void step(DesignBoxEdit* box, bool up);
    // "Minimize Yardage".
    void minimizeYardage();

    Session& session_;
    bool refreshing_ = false;

    // " Full Field Survey Info  "
    QLabel* dataType_;
    QLabel* avgEl_;
    QLabel* csBest_;
    QLabel* rsBest_;
    QLabel* bfYards_;
    QList<QLabel*> lengthUnits_;
    QLabel* bestFitVolumeUnit_;

    // " Design Summary -  Sum of All Sectors  "
    QLabel* sumCut_;
    QLabel* sumCutPerArea_;
    QLabel* sumFill_;
    QLabel* sumRatio_;
    QLabel* sumImportExport_;

    // Design tab set
    QTabBar* tabs_;
    QWidget* designPage_;
    DesignBoxEdit* ratio_;
    DesignBoxEdit* colSlope_;
    DesignBoxEdit* rowSlope_;
    DesignBoxEdit* importExport_;
    QLabel* compSlope_;
    QLabel* rotate_;
    QCheckBox* useBestFit_;
    QPushButton* minimize_;
    QCheckBox* colBlend_;
    QCheckBox* rowBlend_;
    QLabel* avgElevation_;
    QLabel* totalCut_;
    QLabel* cutPerArea_;
    QLabel* totalFill_;
    QLabel* fillPerArea_;

    QList<QLabel*> volumeUnits_;
    QList<QLabel*> perAreaUnits_;
};

}  // namespace tarnwick
