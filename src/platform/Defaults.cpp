// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Defaults.h"

#include "platform/Log.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QVariantMap>

#include <cmath>

namespace {

// Text values carry a one-letter type tag so that a text that looks like a number never reads
// as one, and the other way round.
const QString kStringTag = QStringLiteral("s:");

} // namespace

Defaults::Defaults(const QString &filePath)
    : m_settings(filePath.isEmpty() ? std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                     QStringLiteral("MerrinVale"), QStringLiteral("MerrinVale"))
                                    : std::make_unique<QSettings>(filePath, QSettings::IniFormat))
{
    // QSettings reads its file on first use; read it now so that its status says how that went.
    (void)m_settings->allKeys();
    if (m_settings->status() == QSettings::FormatError) {
        setAsideUnreadableFile();
    } else if (m_settings->status() != QSettings::NoError) {
        qCWarning(platformLog).noquote() << "[settings] could not read" << m_settings->fileName()
                                         << "; starting from defaults";
    }
}

// A file that does not parse is never written over: it is moved aside for the user (or a bug
// report), and what could be read from it goes into a fresh file. When it cannot be moved, this
// run writes nothing at all.
void Defaults::setAsideUnreadableFile()
{
    const QString path = m_settings->fileName();
    QVariantMap readable;
    for (const QString &key : m_settings->allKeys()) {
        readable.insert(key, m_settings->value(key));
    }
    const QString aside = path + QStringLiteral(".unreadable-")
        + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    m_settings.reset();
    QString target = path;
    if (!QFile::rename(path, aside)) {
        // Settings then last for this run only, in a scratch file.
        m_scratch = std::make_unique<QTemporaryDir>();
        target = m_scratch->filePath(QStringLiteral("MerrinVale.conf"));
        qCWarning(platformLog).noquote() << "[settings]" << path
                                         << "could not be read cleanly nor moved aside; no setting is saved this run";
    } else {
        qCWarning(platformLog).noquote() << "[settings]" << path << "could not be read cleanly: moved aside to" << aside
                                         << "keeping" << readable.size() << "readable values";
    }
    m_settings = std::make_unique<QSettings>(target, QSettings::IniFormat);
    for (auto it = readable.cbegin(); it != readable.cend(); ++it) {
        m_settings->setValue(it.key(), it.value());
    }
    m_settings->sync();
}

Defaults::~Defaults() = default;

QString Defaults::fileName() const
{
    return m_settings->fileName();
}

bool Defaults::contains(const QString &key) const
{
    return m_settings->contains(key);
}

std::optional<bool> Defaults::boolValue(const QString &key) const
{
    const QVariant v = m_settings->value(key);
    if (v.typeId() == QMetaType::Bool) {
        return v.toBool();
    }
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString();
        if (s == QLatin1StringView("true")) {
            return true;
        }
        if (s == QLatin1StringView("false")) {
            return false;
        }
    }
    return std::nullopt;
}

std::optional<qint64> Defaults::intValue(const QString &key) const
{
    const QVariant v = m_settings->value(key);
    if (v.typeId() == QMetaType::QString) {
        bool ok = false;
        const qint64 n = v.toString().toLongLong(&ok);
        return ok ? std::optional<qint64>(n) : std::nullopt;
    }
    if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong) {
        return v.toLongLong();
    }
    return std::nullopt;
}

std::optional<double> Defaults::doubleValue(const QString &key) const
{
    const QVariant v = m_settings->value(key);
    if (v.typeId() == QMetaType::QString) {
        bool ok = false;
        const double d = v.toString().toDouble(&ok);
        return ok && std::isfinite(d) ? std::optional<double>(d) : std::nullopt;
    }
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong) {
        return v.toDouble();
    }
    return std::nullopt;
}

std::optional<QString> Defaults::stringValue(const QString &key) const
{
    const QVariant v = m_settings->value(key);
    if (v.typeId() != QMetaType::QString || !v.toString().startsWith(kStringTag)) {
        return std::nullopt;
    }
    return v.toString().mid(kStringTag.size());
}

std::optional<QByteArray> Defaults::dataValue(const QString &key) const
{
    const QVariant v = m_settings->value(key);
    if (v.typeId() != QMetaType::QByteArray) {
        return std::nullopt;
    }
    return v.toByteArray();
}

void Defaults::setBool(const QString &key, bool value)
{
    m_settings->setValue(key, value ? QStringLiteral("true") : QStringLiteral("false"));
    sync();
}

void Defaults::setInt(const QString &key, qint64 value)
{
    m_settings->setValue(key, QString::number(value));
    sync();
}

void Defaults::setDouble(const QString &key, double value)
{
    m_settings->setValue(key, QString::number(value, 'g', 17));
    sync();
}

void Defaults::setString(const QString &key, const QString &value)
{
    m_settings->setValue(key, kStringTag + value);
    sync();
}

void Defaults::setData(const QString &key, const QByteArray &value)
{
    m_settings->setValue(key, value);
    sync();
}

void Defaults::remove(const QString &key)
{
    m_settings->remove(key);
    sync();
}

void Defaults::sync()
{
    m_settings->sync();
    if (m_settings->status() != QSettings::NoError) {
        qCWarning(platformLog).noquote() << "[settings] could not write" << m_settings->fileName();
    }
}
