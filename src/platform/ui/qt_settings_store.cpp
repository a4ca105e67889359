// The program's settings store: a per-user INI file kept by QSettings.
#include "platform/ui/qt_settings_store.h"

#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace kubrix {

namespace {

QString keyOf(std::string_view section, std::string_view key)
{
    return QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())) + u'/' +
           QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

// A value as the text the file holds. QSettings reads an unquoted hand-written value with
// commas ("0,0,600,600") as a list, and hands back a number written by this instance as a
// number; both are still text here. Anything else ("@Rect(...)", "@ByteArray(...)") is not
// a value this program wrote, so it counts as unreadable.
std::optional<QString> textOf(const QVariant& value)
{
    switch (value.metaType().id()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QStringList:
        return value.toStringList().join(u',');
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return value.toString();
    default:
        return std::nullopt;
    }
}

} // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Kubrix"),
                QStringLiteral("Kubrix"))
{
}

std::int32_t QtSettingsStore::readInt(std::string_view section, std::string_view key,
                                      std::int32_t fallback) const
{
    settings_.sync();
    const std::optional<QString> text = textOf(settings_.value(keyOf(section, key)));
    std::int32_t value = fallback;
    if (!text || !parseSettingInt(text->toStdString(), value))
        return fallback;
    return value;
}

std::string QtSettingsStore::readText(std::string_view section, std::string_view key,
                                      std::string_view fallback) const
{
    settings_.sync();
    const std::optional<QString> text = textOf(settings_.value(keyOf(section, key)));
    return text ? text->toStdString() : std::string(fallback);
}

// A failed sync (read-only file, full disk) is silent: the value still holds for this run,
// and the program has no message for a setting it could not save.
void QtSettingsStore::writeInt(std::string_view section, std::string_view key, std::int32_t value)
{
    settings_.setValue(keyOf(section, key), static_cast<int>(value));
    settings_.sync();
}

void QtSettingsStore::writeText(std::string_view section, std::string_view key,
                                std::string_view value)
{
    settings_.setValue(keyOf(section, key),
                       QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
    settings_.sync();
}

} // namespace kubrix
