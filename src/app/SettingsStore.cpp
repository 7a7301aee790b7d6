// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SettingsStore.h"

#include "location/PlaceLists.h"
#include "net/Clock.h"
#include "platform/Defaults.h"
#include "platform/KeyStore.h"
#include "text/Trim.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>

namespace {

const QString kUseFahrenheit = QStringLiteral("useFahrenheit");
const QString kUseMph = QStringLiteral("useMph");
const QString kFontScale = QStringLiteral("fontScale");
const QString kLastLocation = QStringLiteral("lastLocation");
const QString kFavorites = QStringLiteral("favorites");
const QString kRecentLocations = QStringLiteral("recentLocations");
const QString kDailyBriefingHour = QStringLiteral("dailyBriefingHour");
const QString kDailyBriefingMinute = QStringLiteral("dailyBriefingMinute");
const QString kDaysUsed = QStringLiteral("review.daysUsed");
const QString kLastDayCounted = QStringLiteral("review.lastDayCounted");
const QString kPromptedVersion = QStringLiteral("review.promptedVersion");

// A stored list decodes as a whole or not at all.
QList<SavedLocation> decodePlaces(const std::optional<QByteArray> &data)
{
    if (!data) {
        return {};
    }
    const QJsonDocument document = QJsonDocument::fromJson(*data);
    if (!document.isArray()) {
        return {};
    }
    QList<SavedLocation> places;
    for (const QJsonValue &value : document.array()) {
        auto place = SavedLocation::fromJson(value);
        if (!place) {
            return {};
        }
        places.append(*place);
    }
    return places;
}

std::optional<SavedLocation> decodePlace(const std::optional<QByteArray> &data)
{
    if (!data) {
        return std::nullopt;
    }
    const QJsonDocument document = QJsonDocument::fromJson(*data);
    return document.isObject() ? SavedLocation::fromJson(document.object()) : std::nullopt;
}

QString shortVersion()
{
    const QString version = QCoreApplication::applicationVersion();
    return version.isEmpty() ? QStringLiteral("0") : version;
}

} // namespace

SettingsStore::SettingsStore(Defaults &defaults, KeyStore &keys, const Clock &clock, QObject *parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_keys(&keys)
    , m_clock(clock)
{
    m_useFahrenheit = defaults.boolValue(kUseFahrenheit).value_or(true);
    m_useMph = defaults.boolValue(kUseMph).value_or(true);
    m_fontScale = defaults.doubleValue(kFontScale).value_or(1.15);
    m_lastLocation = decodePlace(defaults.dataValue(kLastLocation));
    m_favorites = decodePlaces(defaults.dataValue(kFavorites));
    m_recentLocations = decodePlaces(defaults.dataValue(kRecentLocations));
    m_welcomed = defaults.boolValue(QStringLiteral("welcomed")).value_or(false);
    m_seenVoiceIntro = defaults.boolValue(QStringLiteral("seenVoiceIntro")).value_or(false);
    m_preloadVoice = defaults.boolValue(QStringLiteral("preloadVoice")).value_or(false);
    m_localExpertiseEnabled = defaults.boolValue(QStringLiteral("localExpertiseEnabled")).value_or(false);
    m_dailyBriefingEnabled = defaults.boolValue(QStringLiteral("dailyBriefingEnabled")).value_or(false);
    m_dailyBriefingHour = static_cast<int>(defaults.intValue(kDailyBriefingHour).value_or(7));
    m_dailyBriefingMinute = static_cast<int>(defaults.intValue(kDailyBriefingMinute).value_or(0));
    m_alertNotificationsEnabled = defaults.boolValue(QStringLiteral("alertNotificationsEnabled")).value_or(false);

    QObject::connect(&keys, &KeyStore::keyringAvailableChanged, this, &SettingsStore::keyringAvailableChanged);
    // Every property change is also announced as one change of the whole store.
    for (auto signal : { &SettingsStore::useFahrenheitChanged, &SettingsStore::useMphChanged,
             &SettingsStore::fontScaleChanged, &SettingsStore::lastLocationChanged, &SettingsStore::favoritesChanged,
             &SettingsStore::recentLocationsChanged, &SettingsStore::welcomedChanged,
             &SettingsStore::seenVoiceIntroChanged, &SettingsStore::preloadVoiceChanged,
             &SettingsStore::hasApiKeyChanged, &SettingsStore::hasGoogleApiKeyChanged,
             &SettingsStore::localExpertiseEnabledChanged, &SettingsStore::dailyBriefingEnabledChanged,
             &SettingsStore::dailyBriefingHourChanged, &SettingsStore::dailyBriefingMinuteChanged,
             &SettingsStore::alertNotificationsEnabledChanged, &SettingsStore::keyringAvailableChanged }) {
        QObject::connect(this, signal, this, &SettingsStore::changed);
    }
}

bool SettingsStore::keyringAvailable() const
{
    return m_keys ? m_keys->keyringAvailable() : false;
}

void SettingsStore::setBoolSetting(bool &field, bool value, const char *key, void (SettingsStore::*signal)())
{
    m_defaults.setBool(QString::fromLatin1(key), value);
    if (field != value) {
        field = value;
        Q_EMIT(this->*signal)();
    }
}

void SettingsStore::setUseFahrenheit(bool value)
{
    setBoolSetting(m_useFahrenheit, value, "useFahrenheit", &SettingsStore::useFahrenheitChanged);
}

void SettingsStore::setUseMph(bool value)
{
    setBoolSetting(m_useMph, value, "useMph", &SettingsStore::useMphChanged);
}

void SettingsStore::setWelcomed(bool value)
{
    setBoolSetting(m_welcomed, value, "welcomed", &SettingsStore::welcomedChanged);
}

void SettingsStore::setSeenVoiceIntro(bool value)
{
    setBoolSetting(m_seenVoiceIntro, value, "seenVoiceIntro", &SettingsStore::seenVoiceIntroChanged);
}

void SettingsStore::setPreloadVoice(bool value)
{
    setBoolSetting(m_preloadVoice, value, "preloadVoice", &SettingsStore::preloadVoiceChanged);
}

void SettingsStore::setLocalExpertiseEnabled(bool value)
{
    setBoolSetting(
        m_localExpertiseEnabled, value, "localExpertiseEnabled", &SettingsStore::localExpertiseEnabledChanged);
}

void SettingsStore::setDailyBriefingEnabled(bool value)
{
    setBoolSetting(m_dailyBriefingEnabled, value, "dailyBriefingEnabled", &SettingsStore::dailyBriefingEnabledChanged);
}

void SettingsStore::setAlertNotificationsEnabled(bool value)
{
    setBoolSetting(m_alertNotificationsEnabled, value, "alertNotificationsEnabled",
        &SettingsStore::alertNotificationsEnabledChanged);
}

void SettingsStore::setFontScale(double value)
{
    m_defaults.setDouble(kFontScale, value);
    if (m_fontScale != value) {
        m_fontScale = value;
        Q_EMIT fontScaleChanged();
    }
}

void SettingsStore::setDailyBriefingHour(int value)
{
    m_defaults.setInt(kDailyBriefingHour, value);
    if (m_dailyBriefingHour != value) {
        m_dailyBriefingHour = value;
        Q_EMIT dailyBriefingHourChanged();
    }
}

void SettingsStore::setDailyBriefingMinute(int value)
{
    m_defaults.setInt(kDailyBriefingMinute, value);
    if (m_dailyBriefingMinute != value) {
        m_dailyBriefingMinute = value;
        Q_EMIT dailyBriefingMinuteChanged();
    }
}

void SettingsStore::setLastLocation(const std::optional<SavedLocation> &value)
{
    if (value) {
        m_defaults.setData(kLastLocation, QJsonDocument(value->toJson()).toJson(QJsonDocument::Compact));
    } else {
        m_defaults.remove(kLastLocation);
    }
    if (m_lastLocation != value) {
        m_lastLocation = value;
        Q_EMIT lastLocationChanged();
    }
}

void SettingsStore::writePlaces(const QString &key, const QList<SavedLocation> &places)
{
    QJsonArray array;
    for (const SavedLocation &place : places) {
        array.append(place.toJson());
    }
    m_defaults.setData(key, QJsonDocument(array).toJson(QJsonDocument::Compact));
}

void SettingsStore::setFavorites(const QList<SavedLocation> &value)
{
    writePlaces(kFavorites, value);
    if (m_favorites != value) {
        m_favorites = value;
        Q_EMIT favoritesChanged();
    }
}

void SettingsStore::setRecentLocations(const QList<SavedLocation> &value)
{
    writePlaces(kRecentLocations, value);
    if (m_recentLocations != value) {
        m_recentLocations = value;
        Q_EMIT recentLocationsChanged();
    }
}

bool SettingsStore::isFavorite(const SavedLocation &place) const
{
    return places::isFavorite(m_favorites, place);
}

void SettingsStore::toggleFavorite(const SavedLocation &place)
{
    setFavorites(places::toggleFavorite(m_favorites, place));
}

void SettingsStore::addRecent(const SavedLocation &place)
{
    setRecentLocations(places::addRecent(m_recentLocations, place));
}

void SettingsStore::clearRecents()
{
    setRecentLocations({});
}

void SettingsStore::setHasApiKey(bool value)
{
    if (m_hasApiKey != value) {
        m_hasApiKey = value;
        Q_EMIT hasApiKeyChanged();
    }
}

void SettingsStore::setHasGoogleApiKey(bool value)
{
    if (m_hasGoogleApiKey != value) {
        m_hasGoogleApiKey = value;
        Q_EMIT hasGoogleApiKeyChanged();
    }
}

QCoro::Task<> SettingsStore::setApiKey(QString text)
{
    const QString key = text::trimmedWhitespaceAndNewlines(text);
    setHasApiKey(!key.isEmpty());
    if (!m_keys) {
        co_return;
    }
    if (key.isEmpty()) {
        co_await m_keys->deleteKey(KeyStore::kAnthropicAccount);
    } else {
        co_await m_keys->storeKey(KeyStore::kAnthropicAccount, key);
    }
}

QCoro::Task<> SettingsStore::setGoogleApiKey(QString text)
{
    const QString key = text::trimmedWhitespaceAndNewlines(text);
    setHasGoogleApiKey(!key.isEmpty());
    if (!m_keys) {
        co_return;
    }
    if (key.isEmpty()) {
        co_await m_keys->deleteKey(KeyStore::kGoogleAccount);
    } else {
        co_await m_keys->storeKey(KeyStore::kGoogleAccount, key);
    }
}

QCoro::Task<std::optional<QString>> SettingsStore::readApiKey()
{
    if (!m_keys) {
        co_return std::nullopt;
    }
    co_return co_await m_keys->readKey(KeyStore::kAnthropicAccount);
}

QCoro::Task<std::optional<QString>> SettingsStore::readGoogleApiKey()
{
    if (!m_keys) {
        co_return std::nullopt;
    }
    co_return co_await m_keys->readKey(KeyStore::kGoogleAccount);
}

QCoro::Task<> SettingsStore::refreshKeyFlags()
{
    QPointer<SettingsStore> self(this);
    const std::optional<QString> anthropic = co_await readApiKey();
    if (!self) {
        co_return;
    }
    const std::optional<QString> google = co_await readGoogleApiKey();
    if (!self) {
        co_return;
    }
    setHasApiKey(anthropic.has_value());
    setHasGoogleApiKey(google.has_value());
}

QString SettingsStore::todayKey() const
{
    const QDate today = m_clock.now().toLocalTime().date();
    return QStringLiteral("%1-%2-%3").arg(today.year()).arg(today.month()).arg(today.day());
}

void SettingsStore::countDayOfUse()
{
    const QString today = todayKey();
    if (m_defaults.stringValue(kLastDayCounted) == today) {
        return;
    }
    m_defaults.setString(kLastDayCounted, today);
    m_defaults.setInt(kDaysUsed, daysUsed() + 1);
}

qint64 SettingsStore::daysUsed() const
{
    return m_defaults.intValue(kDaysUsed).value_or(0);
}

bool SettingsStore::shouldRequestReview() const
{
    // Reviews are requested only for a copy installed from a store, which leaves a receipt; a
    // Linux installation has none.
    constexpr bool hasStoreReceipt = false;
    if (!hasStoreReceipt || daysUsed() < 2) {
        return false;
    }
    return m_defaults.stringValue(kPromptedVersion) != shortVersion();
}

void SettingsStore::markReviewRequested()
{
    m_defaults.setString(kPromptedVersion, shortVersion());
}
