// SPDX-License-Identifier: GPL-3.0-or-later
#include "location/PlaceLists.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace places {

bool isFavorite(const QList<SavedLocation> &favorites, const SavedLocation &place)
{
    return std::any_of(favorites.cbegin(), favorites.cend(),
        [&place](const SavedLocation &favorite) { return favorite.isSamePlace(place); });
}

QList<SavedLocation> toggleFavorite(QList<SavedLocation> favorites, const SavedLocation &place)
{
    const auto same = std::find_if(favorites.cbegin(), favorites.cend(),
        [&place](const SavedLocation &favorite) { return favorite.isSamePlace(place); });
    if (same != favorites.cend()) {
        favorites.erase(same);
    } else {
        favorites.append(place);
    }
    return favorites;
}

QList<SavedLocation> addRecent(QList<SavedLocation> recents, const SavedLocation &place)
{
    recents.removeIf([&place](const SavedLocation &recent) { return recent.isSamePlace(place); });
    recents.prepend(place);
    if (recents.size() > kMaxRecents) {
        recents.resize(kMaxRecents);
    }
    return recents;
}

bool pickAddsRecent(PickKind kind)
{
    return kind != PickKind::Favorite;
}

QList<SavedLocation> recentsAfterPick(QList<SavedLocation> recents, PickKind kind, const SavedLocation &place)
{
    return pickAddsRecent(kind) ? addRecent(std::move(recents), place) : recents;
}

QString rowLabel(const QString &name, const std::optional<QString> &admin1, const std::optional<QString> &country)
{
    QStringList parts { name };
    if (admin1) {
        parts.append(*admin1);
    }
    if (country) {
        parts.append(*country);
    }
    return parts.join(QStringLiteral(", "));
}

QString rowLabel(const SavedLocation &place)
{
    return rowLabel(place.name, place.admin1, place.country);
}

QVariantMap toVariant(const SavedLocation &place)
{
    QVariantMap map;
    map.insert(QStringLiteral("name"), place.name);
    if (place.admin1) {
        map.insert(QStringLiteral("admin1"), *place.admin1);
    }
    if (place.country) {
        map.insert(QStringLiteral("country"), *place.country);
    }
    map.insert(QStringLiteral("latitude"), place.latitude);
    map.insert(QStringLiteral("longitude"), place.longitude);
    map.insert(QStringLiteral("timezone"), place.timezone);
    map.insert(QStringLiteral("label"), rowLabel(place));
    return map;
}

namespace {

std::optional<QString> optionalText(const QVariantMap &map, const QString &key)
{
    const QVariant value = map.value(key);
    if (!value.isValid() || value.isNull() || value.typeId() != QMetaType::QString) {
        return std::nullopt;
    }
    return value.toString();
}

std::optional<double> finiteNumber(const QVariantMap &map, const QString &key)
{
    const QVariant value = map.value(key);
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok || !std::isfinite(number) || value.typeId() == QMetaType::QString) {
        return std::nullopt;
    }
    return number;
}

} // namespace

std::optional<SavedLocation> fromVariant(const QVariantMap &map)
{
    const std::optional<QString> name = optionalText(map, QStringLiteral("name"));
    const std::optional<QString> timezone = optionalText(map, QStringLiteral("timezone"));
    const std::optional<double> latitude = finiteNumber(map, QStringLiteral("latitude"));
    const std::optional<double> longitude = finiteNumber(map, QStringLiteral("longitude"));
    if (!name || !timezone || !latitude || !longitude) {
        return std::nullopt;
    }
    return SavedLocation { *name, optionalText(map, QStringLiteral("admin1")),
        optionalText(map, QStringLiteral("country")), *latitude, *longitude, *timezone };
}

QVariantList toVariantList(const QList<SavedLocation> &list)
{
    QVariantList rows;
    rows.reserve(list.size());
    for (const SavedLocation &place : list) {
        rows.append(toVariant(place));
    }
    return rows;
}

} // namespace places
