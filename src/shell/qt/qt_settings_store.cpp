#include "shell/qt/qt_settings_store.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QVariant>

#include "files/safe_file.h"
#include "shell/saved_settings.h"

namespace tw {
namespace {

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString Key(std::string_view key) { return ToQString(SettingsSection) + QLatin1Char('/') + ToQString(key); }

// Where QSettings keeps the user's settings of organisation and application
// "Tunewright".
QString SettingsFile() {
    const QString application = ToQString(SettingsApplication);
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') + application +
           QLatin1Char('/') + application + QStringLiteral(".conf");
}

}  // namespace

QtSettingsStore::QtSettingsStore() : fileName_(QFile::encodeName(SettingsFile()).toStdString()) {
    // QSettings reads the file as it is made, and a FIFO there would keep
    // it waiting for a writer: anything but a regular file is refused first.
    try {
        CheckRegularFile(fileName_);
    } catch (const FileError& e) {
        problem_ = e.what();
        return;
    }
    settings_ = std::make_unique<QSettings>(SettingsFile(), QSettings::IniFormat);
}

QtSettingsStore::~QtSettingsStore() = default;

std::optional<std::string> QtSettingsStore::Setting(std::string_view key) const {
    if (problem_) throw SettingsError(*problem_);
    const QVariant value = settings_->value(Key(key));
    if (!value.isValid()) return std::nullopt;
    if (value.typeId() == QMetaType::QStringList)
        throw SettingsError("the value is a list of texts, not one text (a comma outside quotes?)");
    if (value.typeId() != QMetaType::QString && !value.canConvert<QString>())
        throw SettingsError("the value is not a text");
    return value.toString().toStdString();
}

void QtSettingsStore::SaveSetting(std::string_view key, std::string_view value) {
    if (problem_) throw SettingsError(*problem_);
    settings_->setValue(Key(key), ToQString(value));
    Flush("write");
}

void QtSettingsStore::DeleteSettings() {
    if (problem_) throw SettingsError(*problem_);
    settings_->remove(ToQString(SettingsSection));
    Flush("clear");
}

std::string QtSettingsStore::FileName() const { return fileName_; }

void QtSettingsStore::Flush(std::string_view what) {
    settings_->sync();
    if (settings_->status() == QSettings::AccessError)
        throw SettingsError("could not " + std::string(what) + " the settings file " + fileName_);
}

}  // namespace tw
