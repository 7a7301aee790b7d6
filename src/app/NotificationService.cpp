// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/NotificationService.h"

#include "app/Log.h"
#include "app/SettingsStore.h"
#include "composer/BriefingComposer.h"
#include "composer/WeatherFeatures.h"
#include "net/Clock.h"
#include "net/Detached.h"
#include "platform/Defaults.h"
#include "platform/SystemdUserTimer.h"
#include "text/Graphemes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QStandardPaths>
#include <QUuid>

namespace {

const QString kAvatarFolder = QStringLiteral("MerrinVale");

QString cut(const QString &text)
{
    return text::graphemePrefix(text, NotificationService::kMaxBodyLength);
}

// A fresh copy of the portrait in the runtime folder, for the notification service to read
// whenever it likes; copies older than a day go. Empty when there is no portrait or no folder.
QString freshAvatarCopy(const QString &source)
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (source.isEmpty() || runtime.isEmpty() || !QDir(runtime).mkpath(kAvatarFolder)) {
        return {};
    }
    const QDir folder(QDir(runtime).filePath(kAvatarFolder));
    // The files' times are the system's, so their age is measured on the system clock.
    const QDateTime dayAgo = SystemClock().now().addDays(-1);
    for (const QFileInfo &old : folder.entryInfoList({ QStringLiteral("merrin-*.png") }, QDir::Files)) {
        if (old.lastModified() < dayAgo) {
            QFile::remove(old.filePath());
        }
    }
    const QString copy = folder.filePath(QStringLiteral("merrin-")
        + QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper() + QStringLiteral(".png"));
    return QFile::copy(source, copy) ? copy : QString();
}

QStringList rememberedAlertIds(const Defaults &defaults)
{
    QStringList ids;
    const QJsonArray stored =
        QJsonDocument::fromJson(defaults.read(setting::notifiedAlertIds).value_or(QByteArray())).array();
    for (const QJsonValue &id : stored) {
        if (id.isString()) {
            ids.append(id.toString());
        }
    }
    return ids;
}

} // namespace

QString dailyBriefingBody(const std::optional<QString> &headline, const std::optional<Forecast> &forecast,
    const QList<NwsAlert> &alerts, const std::optional<NextHourNowcast> &nowcast,
    const std::optional<ClimateNormals> &normals)
{
    if (headline && !headline->isEmpty()) {
        return *headline;
    }
    if (forecast) {
        if (const auto features = composer::extractFeatures(*forecast, alerts, nowcast, normals)) {
            if (const auto top = composer::topTodaySentence(*features)) {
                return top->text;
            }
        }
    }
    return QStringLiteral("Open Merrin Vale for today's forecast.");
}

NotificationService::NotificationService(SettingsStore &settings, Defaults &defaults, DesktopNotifier &notifier,
    SystemdUserTimer *timer, const Clock &clock, QString avatarPath, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_defaults(defaults)
    , m_notifier(notifier)
    , m_timer(timer)
    , m_clock(clock)
    , m_avatarPath(std::move(avatarPath))
{
    m_inAppDelivery.setSingleShot(true);
    QObject::connect(&m_inAppDelivery, &QTimer::timeout, this, [this] {
        net::startDetached(deliverDailyBriefing(), QStringLiteral("daily briefing delivery"));
        armInAppDelivery();
    });
    QObject::connect(&m_notifier, &DesktopNotifier::activated, this, &NotificationService::activated);
}

void NotificationService::setTimerInstalledAt(std::optional<QTime> at)
{
    const bool was = dailyTimerInstalled();
    m_timerInstalledAt = at;
    if (was != dailyTimerInstalled()) {
        Q_EMIT dailyTimerInstalledChanged();
    }
}

QCoro::Task<> NotificationService::scheduleDailyBriefing(int hour, int minute, QString placeName, QString body)
{
    const QTime at(hour, minute);
    if (!at.isValid()) {
        co_return;
    }
    const QJsonObject request { { QStringLiteral("hour"), hour }, { QStringLiteral("minute"), minute },
        { QStringLiteral("title"), QStringLiteral("Merrin's Briefing · ") + placeName },
        { QStringLiteral("body"), cut(body) } };
    m_defaults.write(setting::dailyBriefingRequest, QJsonDocument(request).toJson(QJsonDocument::Compact));

    // Once per time and run: a refresh renews only the text, which the timer reads when it fires.
    if (m_timer != nullptr && m_timerTriedAt != at) {
        m_timerTriedAt = at;
        QPointer<NotificationService> self(this);
        const std::optional<QString> failure = co_await m_timer->install(hour, minute);
        if (!self) {
            co_return;
        }
        if (failure) {
            qCWarning(appLog).noquote() << QStringLiteral("[notifications] daily briefing schedule failed: ")
                    + *failure;
        }
        setTimerInstalledAt(failure ? std::nullopt : std::optional<QTime>(at));
    }
    armInAppDelivery();
}

QCoro::Task<> NotificationService::removeDailyBriefing()
{
    const bool kept = m_defaults.read(setting::dailyBriefingRequest).has_value();
    m_defaults.remove(setting::dailyBriefingRequest);
    m_inAppDelivery.stop();
    if (m_timer == nullptr || (!kept && !m_timerTriedAt)) {
        co_return;
    }
    m_timerTriedAt.reset();
    QPointer<NotificationService> self(this);
    const std::optional<QString> failure = co_await m_timer->uninstall();
    if (!self) {
        co_return;
    }
    if (failure) {
        qCWarning(appLog).noquote() << QStringLiteral("[notifications] daily briefing removal failed: ") + *failure;
    }
    setTimerInstalledAt(std::nullopt);
}

void NotificationService::armInAppDelivery()
{
    m_inAppDelivery.stop();
    const QJsonObject request =
        QJsonDocument::fromJson(m_defaults.read(setting::dailyBriefingRequest).value_or(QByteArray())).object();
    if (dailyTimerInstalled() || request.isEmpty()) {
        return;
    }
    const QTime at(
        request.value(QLatin1StringView("hour")).toInt(), request.value(QLatin1StringView("minute")).toInt());
    const QDateTime now = m_clock.now().toLocalTime();
    // The next local time with that hour and minute; a day whose clock skips it is passed over.
    for (int day = 0; day <= 2; ++day) {
        const QDateTime candidate(now.date().addDays(day), at, Qt::LocalTime);
        if (candidate.isValid() && candidate.time() == at && candidate > now) {
            m_inAppDelivery.start(static_cast<int>(now.msecsTo(candidate)));
            return;
        }
    }
}

QCoro::Task<bool> NotificationService::deliverDailyBriefing()
{
    co_return co_await deliverStoredDailyBriefing(m_defaults, m_notifier, m_avatarPath);
}

QCoro::Task<bool> NotificationService::deliverStoredDailyBriefing(
    Defaults &defaults, DesktopNotifier &notifier, QString avatarPath)
{
    const QJsonObject request =
        QJsonDocument::fromJson(defaults.read(setting::dailyBriefingRequest).value_or(QByteArray())).object();
    if (request.isEmpty()) {
        qCInfo(appLog).noquote() << "[notifications] no daily briefing is scheduled";
        co_return false;
    }
    // Made before the co_await: GCC 12 destroys an aggregate temporary inside one twice.
    DesktopNotification notification { dailyBriefingId, request.value(QLatin1StringView("title")).toString(),
        cut(request.value(QLatin1StringView("body")).toString()), false, freshAvatarCopy(avatarPath) };
    co_return co_await notifier.post(std::move(notification));
}

void NotificationService::notify(const NwsAlert &alert)
{
    const bool urgent = alert.severity == QLatin1StringView("Extreme") || alert.severity == QLatin1StringView("Severe");
    const QString body = alert.headline && !alert.headline->isEmpty() ? *alert.headline : alert.description;
    net::startDetached(m_notifier.post(DesktopNotification { QStringLiteral("alert-") + alert.id,
                           QStringLiteral("NWS ") + alert.event, cut(body), urgent, freshAvatarCopy(m_avatarPath) }),
        QStringLiteral("alert notification"));
}

void NotificationService::notifyNewAlerts(const QList<NwsAlert> &alerts)
{
    if (!m_settings.alertNotificationsEnabled()) {
        return;
    }
    // The identifiers kept are those notified or seen in effect most recently, so an alert that
    // stays in effect is never forgotten while newer ones come and go.
    QStringList remembered = rememberedAlertIds(m_defaults);
    for (const NwsAlert &alert : alerts) {
        if (!remembered.contains(alert.id)) {
            notify(alert);
        }
        remembered.removeAll(alert.id);
        remembered.append(alert.id);
    }
    if (remembered.size() > kRememberedAlerts) {
        remembered = remembered.mid(remembered.size() - kRememberedAlerts);
    }
    m_defaults.write(setting::notifiedAlertIds,
        QJsonDocument(QJsonArray::fromStringList(remembered)).toJson(QJsonDocument::Compact));
}

QCoro::Task<> NotificationService::syncNotifications(std::optional<SavedLocation> place, QString dailyBody)
{
    if (m_settings.dailyBriefingEnabled() && place) {
        co_await scheduleDailyBriefing(
            m_settings.dailyBriefingHour(), m_settings.dailyBriefingMinute(), place->name, dailyBody);
    } else {
        co_await removeDailyBriefing();
    }
}
