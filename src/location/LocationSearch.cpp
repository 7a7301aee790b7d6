// SPDX-License-Identifier: GPL-3.0-or-later
#include "location/LocationSearch.h"

#include "location/GeocodingService.h"
#include "location/Log.h"
#include "text/Trim.h"

#include <QDebug>
#include <QPointer>

#include <exception>
#include <optional>
#include <utility>

LocationSearch::LocationSearch(GeocodingService &service, std::chrono::milliseconds debounce, QObject *parent)
    : QObject(parent)
    , m_service(service)
{
    m_debounceTimer.setSingleShot(true);
    m_debounceTimer.setInterval(debounce);
    connect(&m_debounceTimer, &QTimer::timeout, this, &LocationSearch::startSearch);
}

LocationSearch::~LocationSearch() = default;

QString LocationSearch::placeholderText()
{
    return QStringLiteral("Search for a city…");
}

QString LocationSearch::emptyListsText()
{
    return QStringLiteral("Type to search for a location");
}

QString LocationSearch::noResultsText() const
{
    // Nothing to say while a search waits for the typing to pause or runs.
    if (m_query.isEmpty() || m_searching || m_debounceTimer.isActive() || !m_results.isEmpty()) {
        return {};
    }
    return QStringLiteral("No locations found for “") + m_query + QStringLiteral("”");
}

void LocationSearch::setQuery(const QString &query)
{
    if (query == m_query) {
        return;
    }
    m_query = query;
    Q_EMIT queryChanged();
    cancelSearch();
    const QString trimmed = text::trimmedSpacesAndTabs(query);
    if (trimmed.isEmpty()) {
        setResults({});
    } else {
        m_pendingText = trimmed;
        m_debounceTimer.start();
    }
    updateNoResultsText();
}

void LocationSearch::cancelSearch()
{
    // The running search, waiting or asking, is abandoned: its answer is never written.
    ++m_generation;
    m_debounceTimer.stop();
    setSearching(false);
}

void LocationSearch::startSearch()
{
    runSearch(m_generation, m_pendingText);
}

QCoro::Task<> LocationSearch::runSearch(quint64 generation, QString text)
{
    const QPointer<LocationSearch> self(this);
    setSearching(true);
    std::optional<QList<GeoResult>> found;
    try {
        found = co_await m_service.searchLocations(text);
    } catch (const std::exception &e) {
        qCInfo(locationLog) << "[search] place search failed:" << e.what();
    }
    if (!self || generation != m_generation) {
        co_return; // superseded by a newer keystroke, or the sheet is gone
    }
    if (found) {
        setResults(std::move(*found));
    }
    setSearching(false);
}

void LocationSearch::setResults(QList<GeoResult> results)
{
    if (results == m_results) {
        return;
    }
    m_results = std::move(results);
    Q_EMIT resultsChanged();
    updateNoResultsText();
}

void LocationSearch::setSearching(bool searching)
{
    if (searching == m_searching) {
        return;
    }
    m_searching = searching;
    Q_EMIT searchingChanged();
    updateNoResultsText();
}

void LocationSearch::updateNoResultsText()
{
    QString text = noResultsText();
    if (text != m_noResultsText) {
        m_noResultsText = std::move(text);
        Q_EMIT noResultsTextChanged();
    }
}

void LocationSearch::choose(const SavedLocation &place, places::PickKind kind)
{
    Q_EMIT placeChosen(place, places::pickAddsRecent(kind));
}

void LocationSearch::reset()
{
    setQuery(QString());
}
