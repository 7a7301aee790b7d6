// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "weather/SavedLocation.h"

#include <QList>
#include <QString>
#include <QVariantMap>

#include <optional>

// The rules of the favourite and recent place lists, as pure functions: the settings store
// applies them and persists the result. Two places are the same place by
// SavedLocation::isSamePlace (both coordinates within 0.001°); names play no part.
namespace places {

inline constexpr qsizetype kMaxRecents = 10;

// Some favourite is the same place.
[[nodiscard]] bool isFavorite(const QList<SavedLocation> &favorites, const SavedLocation &place);

// Removes the first favourite that is the same place; when there is none, appends the place.
[[nodiscard]] QList<SavedLocation> toggleFavorite(QList<SavedLocation> favorites, const SavedLocation &place);

// Removes every entry that is the same place, puts the place first and keeps the first ten.
[[nodiscard]] QList<SavedLocation> addRecent(QList<SavedLocation> recents, const SavedLocation &place);

// Where a pick in the place search came from.
enum class PickKind { SearchResult, Recent, Favorite };

// A search result or a recent place goes to the front of the recent list; picking a
// favourite leaves the list as it is.
[[nodiscard]] bool pickAddsRecent(PickKind kind);
[[nodiscard]] QList<SavedLocation> recentsAfterPick(
    QList<SavedLocation> recents, PickKind kind, const SavedLocation &place);

// The text of a place row: name, region and country, the present ones joined with ", ".
[[nodiscard]] QString rowLabel(
    const QString &name, const std::optional<QString> &admin1, const std::optional<QString> &country);
[[nodiscard]] QString rowLabel(const SavedLocation &place);

// A place as QML sees it: "name", "admin1" and "country" (absent ones left out), "latitude",
// "longitude", "timezone" and the row text as "label".
[[nodiscard]] QVariantMap toVariant(const SavedLocation &place);
// The reverse; "name", "latitude", "longitude" and "timezone" are required.
[[nodiscard]] std::optional<SavedLocation> fromVariant(const QVariantMap &map);
[[nodiscard]] QVariantList toVariantList(const QList<SavedLocation> &list);

} // namespace places
