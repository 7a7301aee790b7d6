// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

class QSettings;

// The user-defaults store: small typed values and JSON blobs in an INI file
// (~/.config/MerrinVale/MerrinVale.conf, the INI file Qt keeps on Linux, unless a file is given). A stored value of the
// wrong type reads as missing. Every write is synced to disk at once, so a crash loses nothing.
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

    [[nodiscard]] QString fileName() const;

private:
    void sync();
    std::unique_ptr<QSettings> m_settings;
};
