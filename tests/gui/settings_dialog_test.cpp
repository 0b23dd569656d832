// The settings file on disk and the "Data Preferences" dialog.

#include <unistd.h>

#include <algorithm>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "gui/files/ini_settings_store.h"
#include "gui/files/preferences_dialog.h"
#include "core/files/settings.h"

using namespace tarnwick;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

Settings unusualSettings() {
    Settings s;
    s.elevations = false;
    s.rowGrid = "50";
    s.colGrid = "25";
    s.ratio = "1.40";
    s.yards = false;
    s.headerLines = {"Smith, Sons & Co.", "@home; \"quoted\" = yes", "Müller Agrar", ""};
    s.mast = 2;
    s.add = "-0.35";
    s.com = 0;
    return s;
}

}  // namespace

class SettingsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void defaultPathIsInTheConfigFolder();
    void roundTripCreatesTheFolder();
    void handWrittenFileKeepsItsOtherKeys();
    void failedWriteLeavesTheOldFile();
    void metersShowThirtyAndMeters();
    void rowChoiceFollowsIntoColumnBox();
    void ratioBoxTakesTypingAndEnterMovesOn();
};

void SettingsDialogTest::defaultPathIsInTheConfigFolder() {
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty()) QSKIP("XDG_CONFIG_HOME is not set");
    QCOMPARE(IniSettingsStore::defaultPath(), QDir(config).absoluteFilePath("tarnwick/tvk.ini"));
    QCOMPARE(IniSettingsStore().path(), IniSettingsStore::defaultPath());
}

void SettingsDialogTest::roundTripCreatesTheFolder() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("config/tarnwick/tvk.ini");
    IniSettingsStore store(path);

    // No file: the defaults.
    QCOMPARE(readSettings(store).rowGrid, std::string("100"));
    QVERIFY(!store.value("Options", "RowGrid"));

    const Settings s = unusualSettings();
    QVERIFY(store.write(settingsEntries(s)));
    QVERIFY(QFile::exists(path));
    const QByteArray text = fileBytes(path);
    for (const char* line :
         {"[Options]", "elevations=0", "RowGrid=50", "Yards=0", "[Header]", "[serial]", "Mast=2", "add=-0.35", "Com=0"})
        QVERIFY2(text.contains(line), line);

    const Settings back = readSettings(IniSettingsStore(path));
    QCOMPARE(back.elevations, s.elevations);
    QCOMPARE(back.rowGrid, s.rowGrid);
    QCOMPARE(back.colGrid, s.colGrid);
    QCOMPARE(back.ratio, s.ratio);
    QCOMPARE(back.yards, s.yards);
    for (size_t i = 0; i < s.headerLines.size(); ++i) QCOMPARE(back.headerLines[i], s.headerLines[i]);
    QCOMPARE(back.mast, s.mast);
    QCOMPARE(back.add, s.add);
    QCOMPARE(back.com, s.com);

    // Writing again replaces the values and leaves no temporary file behind.
    QVERIFY(store.write(settingsEntries(Settings{})));
    QCOMPARE(readSettings(store).rowGrid, std::string("100"));
    QCOMPARE(QDir(dir.filePath("config/tarnwick")).entryList(QDir::Files), QStringList{"tvk.ini"});
}

void SettingsDialogTest::handWrittenFileKeepsItsOtherKeys() {
    QTemporaryDir dir;
    const QString path = dir.filePath("tvk.ini");
    QVERIFY(writeBytes(path,
                       "[Options]\r\nRowGrid=25\r\nYards=0\r\n[Header]\r\nLine2=Smith, Sons\r\n"
                       "[Other]\r\nkept=yes\r\n"));
    IniSettingsStore store(path);
    const Settings s = readSettings(store);
    QCOMPARE(s.rowGrid, std::string("25"));
    QCOMPARE(s.yards, false);
    QCOMPARE(s.colGrid, std::string("100"));
    QCOMPARE(s.headerLines[1], std::string("Smith, Sons"));

    QVERIFY(store.write(settingsEntries(s)));
    QCOMPARE(store.value("Other", "kept").value_or(""), std::string("yes"));
    QCOMPARE(readSettings(store).headerLines[1], std::string("Smith, Sons"));

    // A file with lines QSettings cannot parse is still replaced.
    QVERIFY(writeBytes(path, "[Options\r\nnot a key\r\n"));
    QVERIFY(store.write(settingsEntries(unusualSettings())));
    QCOMPARE(readSettings(store).rowGrid, std::string("50"));
}

void SettingsDialogTest::failedWriteLeavesTheOldFile() {
    QTemporaryDir dir;
    // A folder that cannot be made: its parent is a file.
    QVERIFY(writeBytes(dir.filePath("plain"), "x"));
    QVERIFY(!IniSettingsStore(dir.filePath("plain/tarnwick/tvk.ini")).write(settingsEntries(Settings{})));

    if (geteuid() == 0) QSKIP("root writes into read-only folders and files");
    const QByteArray old = "[Options]\nRowGrid=25\n";
    struct Case {
        const char* name;
        QFile::Permissions folder;
        QFile::Permissions file;
    };
    const QFile::Permissions rw = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    const Case cases[] = {
        {"read-only folder", QFile::ReadOwner | QFile::ExeOwner, QFile::ReadOwner | QFile::WriteOwner},
        {"read-only file", rw, QFile::ReadOwner},
    };
    for (const Case& c : cases) {
        const QString folder = dir.filePath(c.name);
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + "/tvk.ini";
        QVERIFY(writeBytes(path, old));
        QVERIFY(QFile::setPermissions(path, c.file));
        QVERIFY(QFile::setPermissions(folder, c.folder));
        const bool written = IniSettingsStore(path).write(settingsEntries(unusualSettings()));
        QFile::setPermissions(folder, rw);
        QVERIFY2(!written, c.name);
        QCOMPARE(fileBytes(path), old);
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"tvk.ini"});
    }
}

void SettingsDialogTest::metersShowThirtyAndMeters() {
    Preferences prefs;
    PreferencesDialog dialog(prefs);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QString("Data Preferences"));
    // Radio buttons are clicked on their round button.
    const auto click = [](QRadioButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2)); };
    auto* row = dialog.findChild<QComboBox*>("ComboBxRow");
    auto* col = dialog.findChild<QComboBox*>("ComboBxCol");
    auto* meters = dialog.findChild<QRadioButton*>("RadioMeters");
    auto* feet = dialog.findChild<QRadioButton*>("RadioFeet");
    auto* rod = dialog.findChild<QRadioButton*>("RadioRodReadings");
    QVERIFY(row && col && meters && feet && rod);
    QVERIFY(dialog.findChild<QRadioButton*>("RadioElevations")->isChecked());
    QVERIFY(feet->isChecked());
    QCOMPARE(row->currentText(), QString("100"));

    click(meters);
    QCOMPARE(row->currentText(), QString("30"));
    QCOMPARE(col->currentText(), QString("30"));
    const auto labels = dialog.findChildren<QLabel*>();
    const int metersCaptions =
        static_cast<int>(std::count_if(labels.begin(), labels.end(), [](QLabel* l) { return l->text() == "meters"; }));
    QCOMPARE(metersCaptions, 2);
    QCOMPARE(prefs.feet, false);
    QCOMPARE(prefs.Divisor(), 1.0);

    // The data type button resets the spacings too.
    row->lineEdit()->selectAll();
    QTest::keyClicks(row->lineEdit(), "25");
    QCOMPARE(prefs.rowSpacingText, std::string("25"));
    click(rod);
    QVERIFY(prefs.RodReadings);
    QCOMPARE(row->currentText(), QString("30"));

    click(feet);
    QCOMPARE(row->currentText(), QString("100"));
    QCOMPARE(col->currentText(), QString("100"));
    QCOMPARE(prefs.Divisor(), 27.0);
    QVERIFY(prefs.RodReadings);
}

void SettingsDialogTest::rowChoiceFollowsIntoColumnBox() {
    Preferences prefs;
    PreferencesDialog dialog(prefs);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* row = dialog.findChild<QComboBox*>("ComboBxRow");
    auto* col = dialog.findChild<QComboBox*>("ComboBxCol");
    QCOMPARE(row->count(), 6);

    // Choosing from the list with the arrow keys: the row box's entry 50,
    // then the column box's next entries 30 and 25.
    row->setFocus();
    QTest::keyClick(row, Qt::Key_Down);
    QCOMPARE(row->currentText(), QString("50"));
    QCOMPARE(col->currentText(), QString("50"));

    col->setFocus();
    QTest::keyClick(col, Qt::Key_Down);
    QTest::keyClick(col, Qt::Key_Down);
    QCOMPARE(col->currentText(), QString("25"));
    QCOMPARE(row->currentText(), QString("50"));

    QTest::mouseClick(dialog.findChild<QPushButton*>("ButtonOK"), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(QString::fromStdString(prefs.stationSizeLabel()), QString("50x25"));

    // Typing a spacing changes that box only.
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    row->lineEdit()->selectAll();
    QTest::keyClicks(row->lineEdit(), "40");
    QCOMPARE(QString::fromStdString(prefs.stationSizeLabel()), QString("40x25"));

    // A spacing of 0 cannot be typed; a box left empty takes nothing and
    // shows the spacing in force when the dialog closes.
    row->lineEdit()->selectAll();
    QTest::keyClicks(row->lineEdit(), "0");
    QCOMPARE(row->currentText(), QString("40"));
    row->lineEdit()->selectAll();
    QTest::keyClick(row->lineEdit(), Qt::Key_Backspace);
    QCOMPARE(row->currentText(), QString());
    QCOMPARE(QString::fromStdString(prefs.stationSizeLabel()), QString("40x25"));
    QTest::mouseClick(dialog.findChild<QPushButton*>("ButtonOK"), Qt::LeftButton);
    QCOMPARE(row->currentText(), QString("40"));
}

void SettingsDialogTest::ratioBoxTakesTypingAndEnterMovesOn() {
    Preferences prefs;
    PreferencesDialog dialog(prefs);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* ratio = dialog.findChild<QLineEdit*>("EditRatio");
    QVERIFY(ratio);
    QCOMPARE(ratio->text(), QString("1.25"));
    const QColor normal = ratio->palette().color(QPalette::Text);

    ratio->setFocus();
    ratio->selectAll();
    QTest::keyClicks(ratio, "1.5x55");  // letters and a third decimal are refused
    QCOMPARE(ratio->text(), QString("1.55"));
    QCOMPARE(prefs.defaultRatioText, std::string("1.55"));
    QCOMPARE(ratio->palette().color(QPalette::Text), QColor(Qt::red));

    ratio->selectAll();
    QTest::keyClicks(ratio, "2");
    QTest::keyClick(ratio, Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QVERIFY(!ratio->hasFocus());
    QCOMPARE(ratio->text(), QString("2.00"));
    QCOMPARE(prefs.defaultRatioText, std::string("2.00"));
    QCOMPARE(ratio->palette().color(QPalette::Text), normal);

    // Esc closes the dialog like OK and keeps what was typed.
    ratio->setFocus();
    ratio->selectAll();
    QTest::keyClicks(ratio, "1.3");
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(prefs.defaultRatioText, std::string("1.30"));
}

QTEST_MAIN(SettingsDialogTest)
#include "settings_dialog_test.moc"
