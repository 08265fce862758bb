#include "shell/qt/qt_settings_store.h"

#include <QSettings>
#include <QString>
#include <QVariant>

#include "shell/saved_settings.h"

namespace tw {
namespace {

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString Key(std::string_view key) { return ToQString(SettingsSection) + QLatin1Char('/') + ToQString(key); }

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(ToQString(SettingsApplication), ToQString(SettingsApplication))) {}

QtSettingsStore::~QtSettingsStore() = default;

std::optional<std::string> QtSettingsStore::Setting(std::string_view key) const {
    const QVariant value = settings_->value(Key(key));
    if (!value.isValid()) return std::nullopt;
    if (value.typeId() == QMetaType::QStringList)
        throw SettingsError("the value is a list of texts, not one text (a comma outside quotes?)");
    if (value.typeId() != QMetaType::QString && !value.canConvert<QString>())
        throw SettingsError("the value is not a text");
    return value.toString().toStdString();
}

void QtSettingsStore::SaveSetting(std::string_view key, std::string_view value) {
    settings_->setValue(Key(key), ToQString(value));
    Flush("write");
}

void QtSettingsStore::DeleteSettings() {
    settings_->remove(ToQString(SettingsSection));
    Flush("clear");
}

std::string QtSettingsStore::FileName() const { return settings_->fileName().toStdString(); }

void QtSettingsStore::Flush(std::string_view what) {
    settings_->sync();
    if (settings_->status() == QSettings::AccessError)
        throw SettingsError("could not " + std::string(what) + " the settings file " + FileName());
}

}  // namespace tw
