#include "gui/files/ini_settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryFile>
#include <string>
#include <utility>

#include "core/base/text_file.h"

#ifdef Q_OS_WIN
#include <shlobj.h>
#include <windows.h>
#endif

namespace tarnwick {
namespace {

const QString kFolder = QStringLiteral("tarnwick");
const QString kFileName = QStringLiteral("tvk.ini");

QString settingsKey(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

#ifdef Q_OS_WIN
// The common documents folder shared by all users of the computer.
QString publicDocumentsFolder() {
    wchar_t folder[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_COMMON_DOCUMENTS, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return QString();
    return QDir::fromNativeSeparators(QString::fromWCharArray(folder));
}
#endif

QSettings::Status setEntries(const QString& file, const std::vector<SettingsEntry>& entries) {
    QSettings ini(file, QSettings::IniFormat);
    for (const SettingsEntry& e : entries) ini.setValue(settingsKey(e.section, e.key), QString::fromStdString(e.value));
    ini.sync();
    return ini.status();
}

}  // namespace

IniSettingsStore::IniSettingsStore() : path_(defaultPath()) {}

IniSettingsStore::IniSettingsStore(QString path) : path_(std::move(path)) {}

QString IniSettingsStore::defaultPath() {
#ifdef Q_OS_WIN
    QString base = publicDocumentsFolder();
    // Unknown folder: the root of the current drive.
    if (base.isEmpty()) base = QDir::current().absolutePath().left(2);
#else
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.config");
#endif
    return base + QLatin1Char('/') + kFolder + QLatin1Char('/') + kFileName;
}

std::optional<std::string> IniSettingsStore::value(const std::string& section, const std::string& key) const {
    // QSettings would read a file of any size, and wait on a FIFO.
    if (!readTextFile(QFile::encodeName(path_).toStdString()).ok()) return std::nullopt;
    QSettings ini(path_, QSettings::IniFormat);
    const QVariant v = ini.value(settingsKey(section, key));
    if (!v.isValid()) return std::nullopt;
    // A hand-written value with unquoted commas is read as a list.
    if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(QStringLiteral(", ")).toStdString();
    return v.toString().toStdString();
}

bool IniSettingsStore::fail(std::string reason) {
    failureReason_ = std::move(reason);
    return false;
}

bool IniSettingsStore::write(const std::vector<SettingsEntry>& entries) {
    failureReason_.clear();
    const QFileInfo target(path_);
    if (target.isDir()) return fail("It is a folder");
    const QString folder = target.absolutePath();
    if (!QDir().mkpath(folder)) return fail("The folder cannot be made");
    // A settings file made read-only is left alone.
    if (target.exists() && !target.isWritable()) return fail("The file is read-only");

    // QSettings puts the keys together in a scratch file of the temporary
    // folder; the settings file itself is written in one step below.
    QTemporaryFile scratch(QDir::tempPath() + QStringLiteral("/tarnwick-settings-XXXXXX.ini"));
    if (!scratch.open()) return fail("No scratch file");
    // Keys the program does not know stay in the file.
    const std::string path = QFile::encodeName(path_).toStdString();
    const TextFileRead old = readTextFile(path);
    if (old.ok() && scratch.write(old.bytes.data(), static_cast<qint64>(old.bytes.size())) !=
                        static_cast<qint64>(old.bytes.size()))
        return fail("The scratch file cannot be written");
    if (!scratch.flush()) return fail("The scratch file cannot be written");
    scratch.close();

    QSettings::Status status = setEntries(scratch.fileName(), entries);
    if (status == QSettings::FormatError) {
        // An old file QSettings cannot parse is not rewritten by it: start
        // the new one from the entries alone.
        if (!QFile::resize(scratch.fileName(), 0)) return fail("The scratch file cannot be written");
        status = setEntries(scratch.fileName(), entries);
    }
    if (status != QSettings::NoError) return fail("The scratch file cannot be written");
    // QSettings replaces the scratch file by a new one: read it by name.
    QFile result(scratch.fileName());
    if (!result.open(QIODevice::ReadOnly)) return fail("The scratch file cannot be read");
    const QByteArray bytes = result.readAll();
    if (result.error() != QFileDevice::NoError) return fail("The scratch file cannot be read");

    const WriteResult written = writeFileAtomically(path, bytes.toStdString());
    if (!written) return fail(written.reason);
    return true;
}

}  // namespace tarnwick
