// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PlaceSearchViewModel.h"

#include "app/AppModel.h"
#include "app/SettingsStore.h"

namespace {

QString kindName(places::PickKind kind)
{
    switch (kind) {
    case places::PickKind::Favorite:
        return QStringLiteral("favorite");
    case places::PickKind::Recent:
        return QStringLiteral("recent");
    case places::PickKind::SearchResult:
        break;
    }
    return QStringLiteral("result");
}

QString sectionTitle(places::PickKind kind)
{
    switch (kind) {
    case places::PickKind::Favorite:
        return QStringLiteral("Favourites");
    case places::PickKind::Recent:
        return QStringLiteral("Recent");
    case places::PickKind::SearchResult:
        break;
    }
    return {};
}

} // namespace

PlaceSearchViewModel::PlaceSearchViewModel(
    GeocodingService &service, AppModel &model, std::chrono::milliseconds debounce, QObject *parent)
    : QObject(parent)
    , m_search(service, debounce)
    , m_model(&model)
{
    connect(&m_search, &LocationSearch::queryChanged, this, &PlaceSearchViewModel::queryChanged);
    connect(&m_search, &LocationSearch::searchingChanged, this, &PlaceSearchViewModel::searchingChanged);
    connect(&m_search, &LocationSearch::placeChosen, this, &PlaceSearchViewModel::onPlaceChosen);
    for (auto signal :
        { &LocationSearch::queryChanged, &LocationSearch::resultsChanged, &LocationSearch::noResultsTextChanged }) {
        connect(&m_search, signal, this, &PlaceSearchViewModel::rebuild);
    }
    SettingsStore *settings = model.settings();
    connect(settings, &SettingsStore::favoritesChanged, this, &PlaceSearchViewModel::rebuild);
    connect(settings, &SettingsStore::recentLocationsChanged, this, &PlaceSearchViewModel::rebuild);
    rebuild();
}

void PlaceSearchViewModel::rebuild()
{
    QList<Row> rows;
    if (m_search.query().isEmpty()) {
        if (m_model) {
            for (const SavedLocation &place : m_model->settings()->favorites()) {
                rows.append({ places::PickKind::Favorite, place });
            }
            for (const SavedLocation &place : m_model->settings()->recentLocations()) {
                rows.append({ places::PickKind::Recent, place });
            }
        }
    } else {
        for (const GeoResult &result : m_search.results()) {
            rows.append({ places::PickKind::SearchResult, result.toSavedLocation() });
        }
    }
    m_rows = std::move(rows);
    Q_EMIT rowsChanged();
}

QVariantList PlaceSearchViewModel::rows() const
{
    QVariantList list;
    list.reserve(m_rows.size());
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        const Row &row = m_rows.at(i);
        const bool first = i == 0 || m_rows.at(i - 1).kind != row.kind;
        list.append(QVariantMap {
            { QStringLiteral("kind"), kindName(row.kind) },
            { QStringLiteral("header"), first ? sectionTitle(row.kind) : QString() },
            { QStringLiteral("label"), places::rowLabel(row.place) },
            { QStringLiteral("place"), places::toVariant(row.place) },
        });
    }
    return list;
}

QString PlaceSearchViewModel::emptyText() const
{
    if (!m_rows.isEmpty()) {
        return {};
    }
    return m_search.query().isEmpty() ? LocationSearch::emptyListsText() : m_search.noResultsText();
}

void PlaceSearchViewModel::pick(int row)
{
    if (row < 0 || row >= m_rows.size()) {
        return;
    }
    const Row chosen = m_rows.at(row); // the pick may rebuild the rows
    m_search.choose(chosen.place, chosen.kind);
}

void PlaceSearchViewModel::clearRecents()
{
    if (m_model) {
        m_model->settings()->clearRecents();
    }
}

void PlaceSearchViewModel::reset()
{
    m_search.reset();
}

void PlaceSearchViewModel::onPlaceChosen(const SavedLocation &place, bool addToRecents)
{
    if (!m_model) {
        return;
    }
    if (addToRecents) {
        m_model->settings()->addRecent(place);
    }
    m_model->select(place);
    Q_EMIT chosen();
}
