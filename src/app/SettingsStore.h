// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SettingsKeys.h"
#include "weather/SavedLocation.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>

#include <QCoroTask>

#include <optional>

class Clock;
class Defaults;
class KeyStore;

// Every choice the user makes, each written to user defaults the moment it changes, and the
// two API keys, which live only in the keyring. One instance per run.
class SettingsStore : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool useFahrenheit READ useFahrenheit WRITE setUseFahrenheit NOTIFY useFahrenheitChanged)
    Q_PROPERTY(bool useMph READ useMph WRITE setUseMph NOTIFY useMphChanged)
    Q_PROPERTY(double fontScale READ fontScale WRITE setFontScale NOTIFY fontScaleChanged)
    Q_PROPERTY(bool welcomed READ welcomed WRITE setWelcomed NOTIFY welcomedChanged)
    Q_PROPERTY(bool seenVoiceIntro READ seenVoiceIntro WRITE setSeenVoiceIntro NOTIFY seenVoiceIntroChanged)
    Q_PROPERTY(bool preloadVoice READ preloadVoice WRITE setPreloadVoice NOTIFY preloadVoiceChanged)
    Q_PROPERTY(bool hasApiKey READ hasApiKey NOTIFY hasApiKeyChanged)
    Q_PROPERTY(bool hasGoogleApiKey READ hasGoogleApiKey NOTIFY hasGoogleApiKeyChanged)
    Q_PROPERTY(bool localExpertiseEnabled READ localExpertiseEnabled WRITE setLocalExpertiseEnabled NOTIFY
            localExpertiseEnabledChanged)
    Q_PROPERTY(bool dailyBriefingEnabled READ dailyBriefingEnabled WRITE setDailyBriefingEnabled NOTIFY
            dailyBriefingEnabledChanged)
    Q_PROPERTY(int dailyBriefingHour READ dailyBriefingHour WRITE setDailyBriefingHour NOTIFY dailyBriefingHourChanged)
    Q_PROPERTY(
        int dailyBriefingMinute READ dailyBriefingMinute WRITE setDailyBriefingMinute NOTIFY dailyBriefingMinuteChanged)
    Q_PROPERTY(bool alertNotificationsEnabled READ alertNotificationsEnabled WRITE setAlertNotificationsEnabled NOTIFY
            alertNotificationsEnabledChanged)
    Q_PROPERTY(bool keyringAvailable READ keyringAvailable NOTIFY keyringAvailableChanged)

public:
    SettingsStore(Defaults &defaults, KeyStore &keys, const Clock &clock, QObject *parent = nullptr);

    [[nodiscard]] bool useFahrenheit() const { return m_useFahrenheit; }
    [[nodiscard]] bool useMph() const { return m_useMph; }
    [[nodiscard]] double fontScale() const { return m_fontScale; }
    [[nodiscard]] const std::optional<SavedLocation> &lastLocation() const { return m_lastLocation; }
    [[nodiscard]] const QList<SavedLocation> &favorites() const { return m_favorites; }
    [[nodiscard]] const QList<SavedLocation> &recentLocations() const { return m_recentLocations; }
    [[nodiscard]] bool welcomed() const { return m_welcomed; }
    [[nodiscard]] bool seenVoiceIntro() const { return m_seenVoiceIntro; }
    [[nodiscard]] bool preloadVoice() const { return m_preloadVoice; }
    [[nodiscard]] bool hasApiKey() const { return m_hasApiKey; }
    [[nodiscard]] bool hasGoogleApiKey() const { return m_hasGoogleApiKey; }
    [[nodiscard]] bool localExpertiseEnabled() const { return m_localExpertiseEnabled; }
    [[nodiscard]] bool dailyBriefingEnabled() const { return m_dailyBriefingEnabled; }
    [[nodiscard]] int dailyBriefingHour() const { return m_dailyBriefingHour; }
    [[nodiscard]] int dailyBriefingMinute() const { return m_dailyBriefingMinute; }
    [[nodiscard]] bool alertNotificationsEnabled() const { return m_alertNotificationsEnabled; }
    [[nodiscard]] bool keyringAvailable() const;

    void setUseFahrenheit(bool value);
    void setUseMph(bool value);
    void setFontScale(double value);
    void setLastLocation(const std::optional<SavedLocation> &value);
    void setFavorites(const QList<SavedLocation> &value);
    void setRecentLocations(const QList<SavedLocation> &value);
    void setWelcomed(bool value);
    void setSeenVoiceIntro(bool value);
    void setPreloadVoice(bool value);
    void setLocalExpertiseEnabled(bool value);
    void setDailyBriefingEnabled(bool value);
    void setDailyBriefingHour(int value);
    void setDailyBriefingMinute(int value);
    void setAlertNotificationsEnabled(bool value);

    // Keys. Setting trims white space and line breaks, updates the flag at once and stores (or,
    // for an empty text, deletes) the key in the background; the returned task ends when the
    // keyring has answered. A key with white space or control characters inside is refused: the
    // task throws AppError saying so, and nothing changes.
    QCoro::Task<> setApiKey(QString text);
    QCoro::Task<> setGoogleApiKey(QString text);
    [[nodiscard]] QCoro::Task<std::optional<QString>> readApiKey();
    [[nodiscard]] QCoro::Task<std::optional<QString>> readGoogleApiKey();
    // Sets both flags from the keyring (a stored empty value counts as found).
    QCoro::Task<> refreshKeyFlags();

    // Places: two places are the same when both coordinates differ by less than 0.001°.
    [[nodiscard]] bool isFavorite(const SavedLocation &place) const;
    void toggleFavorite(const SavedLocation &place);
    void addRecent(const SavedLocation &place);
    void clearRecents();

    // The main window's size and place when it last closed; nothing when it never closed or the
    // stored size is not one.
    struct WindowPlacement
    {
        QRect geometry;
        bool maximized = false;
    };
    [[nodiscard]] std::optional<WindowPlacement> windowPlacement() const;
    void setWindowPlacement(const WindowPlacement &placement);

    // Review counters. There is no store receipt on Linux, so no review is ever requested, but
    // the days of use are still counted.
    void countDayOfUse();
    [[nodiscard]] bool shouldRequestReview() const;
    void markReviewRequested();
    [[nodiscard]] qint64 daysUsed() const;

Q_SIGNALS:
    void useFahrenheitChanged();
    void useMphChanged();
    void fontScaleChanged();
    void lastLocationChanged();
    void favoritesChanged();
    void recentLocationsChanged();
    void welcomedChanged();
    void seenVoiceIntroChanged();
    void preloadVoiceChanged();
    void hasApiKeyChanged();
    void hasGoogleApiKeyChanged();
    void localExpertiseEnabledChanged();
    void dailyBriefingEnabledChanged();
    void dailyBriefingHourChanged();
    void dailyBriefingMinuteChanged();
    void alertNotificationsEnabledChanged();
    void keyringAvailableChanged();
    // Any property above changed.
    void changed();

private:
    template <typename Field, typename Stored>
    void store(Field &field, Field value, const setting::Key<Stored> &key, void (SettingsStore::*signal)());
    void writePlaces(const setting::DataKey &key, const QList<SavedLocation> &places);
    QCoro::Task<> storeKey(const QString &account, QString text, void (SettingsStore::*setFlag)(bool));
    void setHasApiKey(bool value);
    void setHasGoogleApiKey(bool value);
    [[nodiscard]] QString todayKey() const;

    Defaults &m_defaults;
    QPointer<KeyStore> m_keys;
    const Clock &m_clock;

    bool m_useFahrenheit = setting::useFahrenheit.fallback;
    bool m_useMph = setting::useMph.fallback;
    double m_fontScale = setting::fontScale.fallback;
    std::optional<SavedLocation> m_lastLocation;
    QList<SavedLocation> m_favorites;
    QList<SavedLocation> m_recentLocations;
    bool m_welcomed = setting::welcomed.fallback;
    bool m_seenVoiceIntro = setting::seenVoiceIntro.fallback;
    bool m_preloadVoice = setting::preloadVoice.fallback;
    bool m_hasApiKey = false;
    bool m_hasGoogleApiKey = false;
    bool m_localExpertiseEnabled = setting::localExpertiseEnabled.fallback;
    bool m_dailyBriefingEnabled = setting::dailyBriefingEnabled.fallback;
    int m_dailyBriefingHour = static_cast<int>(setting::dailyBriefingHour.fallback);
    int m_dailyBriefingMinute = static_cast<int>(setting::dailyBriefingMinute.fallback);
    bool m_alertNotificationsEnabled = setting::alertNotificationsEnabled.fallback;
};
