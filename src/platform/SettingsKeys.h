// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QLatin1StringView>

// Every key of the settings file, with the type it is stored as and the value it reads as when
// it is missing or holds a value of another type. Nothing else names a key.
namespace setting {

template <typename T>
struct Key
{
    QLatin1StringView name;
    T fallback;
};

// A JSON document; missing reads as nothing.
struct DataKey
{
    QLatin1StringView name;
};

// Choices on the settings screen and the first-run flags.
inline constexpr Key<bool> useFahrenheit { QLatin1StringView("useFahrenheit"), true };
inline constexpr Key<bool> useMph { QLatin1StringView("useMph"), true };
inline constexpr Key<double> fontScale { QLatin1StringView("fontScale"), 1.15 };
inline constexpr Key<bool> welcomed { QLatin1StringView("welcomed"), false };
inline constexpr Key<bool> seenVoiceIntro { QLatin1StringView("seenVoiceIntro"), false };
inline constexpr Key<bool> preloadVoice { QLatin1StringView("preloadVoice"), false };
inline constexpr Key<bool> localExpertiseEnabled { QLatin1StringView("localExpertiseEnabled"), false };
inline constexpr Key<bool> dailyBriefingEnabled { QLatin1StringView("dailyBriefingEnabled"), false };
inline constexpr Key<qint64> dailyBriefingHour { QLatin1StringView("dailyBriefingHour"), 7 };
inline constexpr Key<qint64> dailyBriefingMinute { QLatin1StringView("dailyBriefingMinute"), 0 };
inline constexpr Key<bool> alertNotificationsEnabled { QLatin1StringView("alertNotificationsEnabled"), false };

// Places: a SavedLocation, and lists of them.
inline constexpr DataKey lastLocation { QLatin1StringView("lastLocation") };
inline constexpr DataKey favorites { QLatin1StringView("favorites") };
inline constexpr DataKey recentLocations { QLatin1StringView("recentLocations") };

// Small caches.
inline constexpr DataKey cachedBriefing { QLatin1StringView("cachedBriefing") };
inline constexpr DataKey climateNormals { QLatin1StringView("climateNormals") };

// Notifications: the identifiers of alerts already notified (a JSON array of texts, the most
// recently notified or seen last, at most 100), and the daily briefing notification as it is to
// be posted ({"hour", "minute", "title", "body"}), kept for merrin-vale --deliver-daily-briefing.
inline constexpr DataKey notifiedAlertIds { QLatin1StringView("notifiedAlertIds") };
inline constexpr DataKey dailyBriefingRequest { QLatin1StringView("dailyBriefingRequest") };

// The main window's size and place when it last closed (no width: never saved).
inline constexpr Key<qint64> windowX { QLatin1StringView("window.x"), 0 };
inline constexpr Key<qint64> windowY { QLatin1StringView("window.y"), 0 };
inline constexpr Key<qint64> windowWidth { QLatin1StringView("window.width"), 0 };
inline constexpr Key<qint64> windowHeight { QLatin1StringView("window.height"), 0 };
inline constexpr Key<bool> windowMaximized { QLatin1StringView("window.maximized"), false };

// Review counters.
inline constexpr Key<qint64> daysUsed { QLatin1StringView("review.daysUsed"), 0 };
inline constexpr Key<QLatin1StringView> lastDayCounted { QLatin1StringView("review.lastDayCounted"),
    QLatin1StringView() };
inline constexpr Key<QLatin1StringView> promptedVersion { QLatin1StringView("review.promptedVersion"),
    QLatin1StringView() };

} // namespace setting
