// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SettingsStore.h"

#include "location/PlaceLists.h"
#include "net/AppError.h"
#include "net/Clock.h"
#include "platform/Defaults.h"
#include "platform/KeyStore.h"
#include "text/Trim.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>

#include <limits>

namespace {

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
    m_useFahrenheit = defaults.read(setting::useFahrenheit);
    m_useMph = defaults.read(setting::useMph);
    m_fontScale = defaults.read(setting::fontScale);
    m_lastLocation = decodePlace(defaults.read(setting::lastLocation));
    m_favorites = decodePlaces(defaults.read(setting::favorites));
    m_recentLocations = decodePlaces(defaults.read(setting::recentLocations));
    m_welcomed = defaults.read(setting::welcomed);
    m_seenVoiceIntro = defaults.read(setting::seenVoiceIntro);
    m_preloadVoice = defaults.read(setting::preloadVoice);
    m_localExpertiseEnabled = defaults.read(setting::localExpertiseEnabled);
    m_dailyBriefingEnabled = defaults.read(setting::dailyBriefingEnabled);
    m_dailyBriefingHour = static_cast<int>(defaults.read(setting::dailyBriefingHour));
    m_dailyBriefingMinute = static_cast<int>(defaults.read(setting::dailyBriefingMinute));
    m_alertNotificationsEnabled = defaults.read(setting::alertNotificationsEnabled);

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

template <typename Field, typename Stored>
void SettingsStore::store(Field &field, Field value, const setting::Key<Stored> &key, void (SettingsStore::*signal)())
{
    m_defaults.write(key, static_cast<Stored>(value));
    if (field != value) {
        field = value;
        Q_EMIT(this->*signal)();
    }
}

void SettingsStore::setUseFahrenheit(bool value)
{
    store(m_useFahrenheit, value, setting::useFahrenheit, &SettingsStore::useFahrenheitChanged);
}

void SettingsStore::setUseMph(bool value)
{
    store(m_useMph, value, setting::useMph, &SettingsStore::useMphChanged);
}

void SettingsStore::setFontScale(double value)
{
    store(m_fontScale, value, setting::fontScale, &SettingsStore::fontScaleChanged);
}

void SettingsStore::setWelcomed(bool value)
{
    store(m_welcomed, value, setting::welcomed, &SettingsStore::welcomedChanged);
}

void SettingsStore::setSeenVoiceIntro(bool value)
{
    store(m_seenVoiceIntro, value, setting::seenVoiceIntro, &SettingsStore::seenVoiceIntroChanged);
}

void SettingsStore::setPreloadVoice(bool value)
{
    store(m_preloadVoice, value, setting::preloadVoice, &SettingsStore::preloadVoiceChanged);
}

void SettingsStore::setLocalExpertiseEnabled(bool value)
{
    store(m_localExpertiseEnabled, value, setting::localExpertiseEnabled, &SettingsStore::localExpertiseEnabledChanged);
}

void SettingsStore::setDailyBriefingEnabled(bool value)
{
    store(m_dailyBriefingEnabled, value, setting::dailyBriefingEnabled, &SettingsStore::dailyBriefingEnabledChanged);
}

void SettingsStore::setDailyBriefingHour(int value)
{
    store(m_dailyBriefingHour, value, setting::dailyBriefingHour, &SettingsStore::dailyBriefingHourChanged);
}

void SettingsStore::setDailyBriefingMinute(int value)
{
    store(m_dailyBriefingMinute, value, setting::dailyBriefingMinute, &SettingsStore::dailyBriefingMinuteChanged);
}

void SettingsStore::setAlertNotificationsEnabled(bool value)
{
    store(m_alertNotificationsEnabled, value, setting::alertNotificationsEnabled,
        &SettingsStore::alertNotificationsEnabledChanged);
}

void SettingsStore::setLastLocation(const std::optional<SavedLocation> &value)
{
    if (value) {
        m_defaults.write(setting::lastLocation, QJsonDocument(value->toJson()).toJson(QJsonDocument::Compact));
    } else {
        m_defaults.remove(setting::lastLocation);
    }
    if (m_lastLocation != value) {
        m_lastLocation = value;
        Q_EMIT lastLocationChanged();
    }
}

void SettingsStore::writePlaces(const setting::DataKey &key, const QList<SavedLocation> &places)
{
    QJsonArray array;
    for (const SavedLocation &place : places) {
        array.append(place.toJson());
    }
    m_defaults.write(key, QJsonDocument(array).toJson(QJsonDocument::Compact));
}

void SettingsStore::setFavorites(const QList<SavedLocation> &value)
{
    writePlaces(setting::favorites, value);
    if (m_favorites != value) {
        m_favorites = value;
        Q_EMIT favoritesChanged();
    }
}

void SettingsStore::setRecentLocations(const QList<SavedLocation> &value)
{
    writePlaces(setting::recentLocations, value);
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

QCoro::Task<> SettingsStore::storeKey(const QString &account, QString text, void (SettingsStore::*setFlag)(bool))
{
    const QString key = text::trimmedWhitespaceAndNewlines(text);
    if (const auto problem = text::apiKeyProblem(key)) {
        throw AppError(*problem);
    }
    (this->*setFlag)(!key.isEmpty());
    if (!m_keys) {
        co_return;
    }
    if (key.isEmpty()) {
        co_await m_keys->deleteKey(account);
    } else {
        co_await m_keys->storeKey(account, key);
    }
}

QCoro::Task<> SettingsStore::setApiKey(QString text)
{
    return storeKey(KeyStore::kAnthropicAccount, std::move(text), &SettingsStore::setHasApiKey);
}

QCoro::Task<> SettingsStore::setGoogleApiKey(QString text)
{
    return storeKey(KeyStore::kGoogleAccount, std::move(text), &SettingsStore::setHasGoogleApiKey);
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

std::optional<SettingsStore::WindowPlacement> SettingsStore::windowPlacement() const
{
    const QRect geometry(static_cast<int>(m_defaults.read(setting::windowX)),
        static_cast<int>(m_defaults.read(setting::windowY)), static_cast<int>(m_defaults.read(setting::windowWidth)),
        static_cast<int>(m_defaults.read(setting::windowHeight)));
    if (geometry.width() <= 0 || geometry.height() <= 0) {
        return std::nullopt;
    }
    return WindowPlacement { geometry, m_defaults.read(setting::windowMaximized) };
}

void SettingsStore::setWindowPlacement(const WindowPlacement &placement)
{
    m_defaults.write(setting::windowX, placement.geometry.x());
    m_defaults.write(setting::windowY, placement.geometry.y());
    m_defaults.write(setting::windowWidth, placement.geometry.width());
    m_defaults.write(setting::windowHeight, placement.geometry.height());
    m_defaults.write(setting::windowMaximized, placement.maximized);
}

void SettingsStore::countDayOfUse()
{
    const QString today = todayKey();
    if (m_defaults.read(setting::lastDayCounted) == today) {
        return;
    }
    m_defaults.write(setting::lastDayCounted, today);
    const qint64 days = daysUsed();
    m_defaults.write(setting::daysUsed, days < std::numeric_limits<qint64>::max() ? days + 1 : days);
}

qint64 SettingsStore::daysUsed() const
{
    return m_defaults.read(setting::daysUsed);
}

bool SettingsStore::shouldRequestReview() const
{
    // Reviews are requested only for a copy installed from a store, which leaves a receipt; a
    // Linux installation has none.
    constexpr bool hasStoreReceipt = false;
    if (!hasStoreReceipt || daysUsed() < 2) {
        return false;
    }
    return m_defaults.read(setting::promptedVersion) != shortVersion();
}

void SettingsStore::markReviewRequested()
{
    m_defaults.write(setting::promptedVersion, shortVersion());
}
