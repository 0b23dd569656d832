#include "gui/files/ini_settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryFile>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

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

// Renames `from` over `to` in one step: readers see the old file or the
// new one, never a part.
bool replaceFile(const QString& from, const QString& to) {
#ifdef Q_OS_WIN
    const std::wstring f = QDir::toNativeSeparators(from).toStdWString();
    const std::wstring t = QDir::toNativeSeparators(to).toStdWString();
    return MoveFileExW(f.c_str(), t.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(from).toStdString(), QFile::encodeName(to).toStdString(), ec);
    return !ec;
#endif
}

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
    QSettings ini(path_, QSettings::IniFormat);
    const QVariant v = ini.value(settingsKey(section, key));
    if (!v.isValid()) return std::nullopt;
    // A hand-written value with unquoted commas is read as a list.
    if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(QStringLiteral(", ")).toStdString();
    return v.toString().toStdString();
}

bool IniSettingsStore::write(const std::vector<SettingsEntry>& entries) {
    const QFileInfo target(path_);
    if (target.isDir()) return false;
    const QString folder = target.absolutePath();
    if (!QDir().mkpath(folder)) return false;

    QTemporaryFile temp(folder + QLatin1Char('/') + target.fileName() + QStringLiteral(".XXXXXX"));
    if (!temp.open()) return false;
    // Keys the program does not know stay in the file.
    QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    if (target.exists()) {
        // A settings file made read-only is left alone.
        if (!target.isWritable()) return false;
        QFile old(path_);
        if (!old.open(QIODevice::ReadOnly)) return false;
        const QByteArray bytes = old.readAll();
        if (old.error() != QFileDevice::NoError || temp.write(bytes) != bytes.size()) return false;
        permissions = old.permissions();
    }
    if (!temp.flush()) return false;
    temp.close();

    QSettings::Status status = setEntries(temp.fileName(), entries);
    if (status == QSettings::FormatError) {
        // An old file QSettings cannot parse is not rewritten by it: start
        // the new one from the entries alone.
        if (!QFile::resize(temp.fileName(), 0)) return false;
        status = setEntries(temp.fileName(), entries);
    }
    if (status != QSettings::NoError) return false;
    QFile::setPermissions(temp.fileName(), permissions);

    if (!replaceFile(temp.fileName(), path_)) return false;
    temp.setAutoRemove(false);
    return true;
}

}  // namespace tarnwick
