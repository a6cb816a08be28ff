#include "platform/system/settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cmath>
#include <limits>

#include "platform/failure.h"
#include "platform/shell/file_operations.h"

namespace lumoria::platform {

SettingsStore::SettingsStore(QString filePath) : m_filePath(std::move(filePath)) {}

SettingsStore SettingsStore::inConfigFolder(const QString& relativePath)
{
    return SettingsStore(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         QLatin1Char('/') + relativePath);
}

QString SettingsStore::normalizedKey(const QString& key)
{
    static const QRegularExpression separators(QStringLiteral("[/\\\\]"));
    return key.split(separators, Qt::SkipEmptyParts).join(QLatin1Char('/'));
}

QJsonObject SettingsStore::load() const
{
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // A damaged file reads as an empty store; the next write replaces it.
    return QJsonDocument::fromJson(file.readAll()).object();
}

bool SettingsStore::save(const QJsonObject& keys) const
{
    const QFileInfo info(m_filePath);
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    return writeFileSafely(m_filePath, QJsonDocument(keys).toJson(QJsonDocument::Indented));
}

bool SettingsStore::keyExists(const QString& key) const
{
    const QString wanted = normalizedKey(key);
    const QJsonObject keys = load();
    if (wanted.isEmpty() || keys.contains(wanted))
        return true;
    const QString below = wanted + QLatin1Char('/');
    for (auto it = keys.begin(); it != keys.end(); ++it) {
        if (it.key().startsWith(below))
            return true;
    }
    return false;
}

bool SettingsStore::createKey(const QString& key)
{
    if (keyExists(key))
        return true;
    QJsonObject keys = load();
    keys.insert(normalizedKey(key), QJsonObject());
    return save(keys);
}

bool SettingsStore::deleteKey(const QString& key)
{
    const QString k = normalizedKey(key);
    if (k.isEmpty())
        return false;
    QJsonObject keys = load();
    bool removed = false;
    for (auto it = keys.begin(); it != keys.end();) {
        if (it.key() == k || it.key().startsWith(k + QLatin1Char('/'))) {
            it = keys.erase(it);
            removed = true;
        } else {
            ++it;
        }
    }
    return !removed || save(keys);
}

QJsonValue SettingsStore::value(const QString& key, const QString& name) const
{
    return load().value(normalizedKey(key)).toObject().value(name);
}

SettingsValueType SettingsStore::valueType(const QString& key, const QString& name) const
{
    const QJsonValue v = value(key, name);
    if (v.isString())
        return SettingsValueType::String;
    if (v.isBool())
        return SettingsValueType::Boolean;
    if (v.isDouble()) {
        // Only whole numbers that fit 32 bits are integers; anything else is foreign to the store.
        const double d = v.toDouble();
        if (std::trunc(d) == d && d >= std::numeric_limits<std::int32_t>::min() &&
            d <= std::numeric_limits<std::int32_t>::max())
            return SettingsValueType::Integer;
    }
    return SettingsValueType::None;
}

std::optional<QString> SettingsStore::readString(const QString& key, const QString& name) const
{
    const QJsonValue v = value(key, name);
    if (!v.isString())
        return std::nullopt;
    return v.toString();
}

std::optional<std::int32_t> SettingsStore::readInteger(const QString& key, const QString& name) const
{
    if (valueType(key, name) != SettingsValueType::Integer)
        return std::nullopt;
    return static_cast<std::int32_t>(value(key, name).toDouble());
}

std::optional<bool> SettingsStore::readBoolean(const QString& key, const QString& name) const
{
    const QJsonValue v = value(key, name);
    if (!v.isBool())
        return std::nullopt;
    return v.toBool();
}

void SettingsStore::writeValue(const QString& key, const QString& name, const QJsonValue& value)
{
    QJsonObject keys = load();
    const QString k = normalizedKey(key);
    QJsonObject values = keys.value(k).toObject();
    // A value already stored as it is is not written again (the start-up writes the same ones each run).
    if (keys.contains(k) && values.contains(name) && values.value(name).type() == value.type()
        && values.value(name) == value)
        return;
    values.insert(name, value);
    keys.insert(k, values);
    if (!save(keys))
        throw SettingsWriteError(name.toStdString());
}

void SettingsStore::writeString(const QString& key, const QString& name, const QString& value)
{
    writeValue(key, name, QJsonValue(value));
}

void SettingsStore::writeInteger(const QString& key, const QString& name, std::int32_t value)
{
    writeValue(key, name, QJsonValue(static_cast<qint64>(value)));
}

void SettingsStore::writeBoolean(const QString& key, const QString& name, bool value)
{
    writeValue(key, name, QJsonValue(value));
}

} // namespace lumoria::platform
