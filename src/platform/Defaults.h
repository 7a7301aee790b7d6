// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SettingsKeys.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

class QSettings;
class QTemporaryDir;

// The settings file: the user-defaults store of the application, that is every setting and the
// small caches (the last place, favourites and recents, the cached briefing, climate normals, the
// review counters), as small typed values and JSON blobs in an INI file
// (~/.config/MerrinVale/MerrinVale.conf, the INI file Qt keeps on Linux, unless a file is given).
// The keys, their types and their defaults are listed once, in platform/SettingsKeys.h. A stored
// value of the wrong type reads as missing. Every write is synced to disk at once, so a crash
// loses nothing. Keys live in the keyring, never here; voice files live in the cache folder.
class Defaults
{
public:
    // filePath empty: the user's own settings file.
    explicit Defaults(const QString &filePath = {});
    ~Defaults();
    Defaults(const Defaults &) = delete;
    Defaults &operator=(const Defaults &) = delete;

    [[nodiscard]] std::optional<bool> boolValue(const QString &key) const;
    [[nodiscard]] std::optional<qint64> intValue(const QString &key) const;
    [[nodiscard]] std::optional<double> doubleValue(const QString &key) const;
    [[nodiscard]] std::optional<QString> stringValue(const QString &key) const;
    [[nodiscard]] std::optional<QByteArray> dataValue(const QString &key) const;
    [[nodiscard]] bool contains(const QString &key) const;

    void setBool(const QString &key, bool value);
    void setInt(const QString &key, qint64 value);
    void setDouble(const QString &key, double value);
    void setString(const QString &key, const QString &value);
    void setData(const QString &key, const QByteArray &value);
    void remove(const QString &key);

    // The keys of the settings table: a missing or mistyped value reads as the key's default.
    [[nodiscard]] bool read(const setting::Key<bool> &key) const { return boolValue(key.name).value_or(key.fallback); }
    [[nodiscard]] qint64 read(const setting::Key<qint64> &key) const
    {
        return intValue(key.name).value_or(key.fallback);
    }
    [[nodiscard]] double read(const setting::Key<double> &key) const
    {
        return doubleValue(key.name).value_or(key.fallback);
    }
    [[nodiscard]] QString read(const setting::Key<QLatin1StringView> &key) const
    {
        return stringValue(key.name).value_or(QString(key.fallback));
    }
    [[nodiscard]] std::optional<QByteArray> read(const setting::DataKey &key) const { return dataValue(key.name); }
    void write(const setting::Key<bool> &key, bool value) { setBool(key.name, value); }
    void write(const setting::Key<qint64> &key, qint64 value) { setInt(key.name, value); }
    void write(const setting::Key<double> &key, double value) { setDouble(key.name, value); }
    void write(const setting::Key<QLatin1StringView> &key, const QString &value) { setString(key.name, value); }
    void write(const setting::DataKey &key, const QByteArray &value) { setData(key.name, value); }
    void remove(const setting::DataKey &key) { remove(QString(key.name)); }

    [[nodiscard]] QString fileName() const;

private:
    void sync();
    void setAsideUnreadableFile();

    // Holds this run's settings when the file did not parse and could not be moved aside.
    std::unique_ptr<QTemporaryDir> m_scratch;
    std::unique_ptr<QSettings> m_settings;
};
