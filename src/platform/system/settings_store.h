#pragma once
// A small typed key/value store kept in one per-user file, in place of the system registry.
// Keys are paths ("SOFTWARE/Maker/Product"; "\" separates as well as "/", and empty segments are
// dropped). Each key holds named values of one of three types; the empty name is the key's default
// value. A value that is missing reads as nothing, distinct from any stored value. Writes replace the
// file as a whole, so a failed write leaves the previous file intact.
#include <QJsonObject>
#include <QString>

#include <cstdint>
#include <optional>

namespace lumoria::platform {

enum class SettingsValueType { None, String, Integer, Boolean };

class SettingsStore {
public:
    explicit SettingsStore(QString filePath);
    // The store kept in <XDG config folder>/<relativePath>.
    static SettingsStore inConfigFolder(const QString& relativePath);

    const QString& filePath() const { return m_filePath; }

    // A key exists once created or once it, or a key below it, holds a value.
    bool keyExists(const QString& key) const;
    // False when the key cannot be stored.
    bool createKey(const QString& key);

    SettingsValueType valueType(const QString& key, const QString& name) const;
    // Each read gives nothing when the value is missing or holds another type.
    std::optional<QString> readString(const QString& key, const QString& name) const;
    std::optional<std::int32_t> readInteger(const QString& key, const QString& name) const;
    std::optional<bool> readBoolean(const QString& key, const QString& name) const;

    // Each write raises SettingsWriteError naming the value when the store cannot be written.
    void writeString(const QString& key, const QString& name, const QString& value);
    void writeInteger(const QString& key, const QString& name, std::int32_t value);
    void writeBoolean(const QString& key, const QString& name, bool value);

    // Removes the key with its values and every key below it; false when the store cannot be
    // written (a key that is not there is no failure).
    bool deleteKey(const QString& key);

    // The key in the spelling the file uses.
    static QString normalizedKey(const QString& key);

private:
    QJsonObject load() const;
    bool save(const QJsonObject& keys) const;
    QJsonValue value(const QString& key, const QString& name) const;
    void writeValue(const QString& key, const QString& name, const QJsonValue& value);

    QString m_filePath;
};

} // namespace lumoria::platform
