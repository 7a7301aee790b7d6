// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "location/PlaceLists.h"
#include "weather/GeoResult.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariantList>

#include <QCoroTask>

#include <chrono>

class GeocodingService;

// The place search sheet's logic: search as you type with a short pause after the last
// keystroke, one request per pause, and the picks that make a place the app's location.
// A newer keystroke cancels the search before it; a cancelled search never writes results,
// and a failed one keeps the results shown.
class LocationSearch : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString query READ query WRITE setQuery NOTIFY queryChanged)
    Q_PROPERTY(bool searching READ searching NOTIFY searchingChanged)
    Q_PROPERTY(QString noResultsText READ noResultsText NOTIFY noResultsTextChanged)
    Q_PROPERTY(QString placeholderText READ placeholderText CONSTANT)
    Q_PROPERTY(QString emptyListsText READ emptyListsText CONSTANT)

public:
    static constexpr std::chrono::milliseconds kDebounce { 300 };

    // service must outlive the search.
    explicit LocationSearch(
        GeocodingService &service, std::chrono::milliseconds debounce = kDebounce, QObject *parent = nullptr);
    ~LocationSearch() override;

    [[nodiscard]] QString query() const { return m_query; }
    // Every change cancels the running search; a query of only spaces and tabs clears the
    // results, any other starts a new search after the pause.
    void setQuery(const QString &query);

    [[nodiscard]] const QList<GeoResult> &results() const { return m_results; }
    [[nodiscard]] bool searching() const { return m_searching; }

    // "No locations found for “QUERY”" while a query is typed, no search runs and there are
    // no results; empty otherwise.
    [[nodiscard]] QString noResultsText() const;
    [[nodiscard]] static QString placeholderText();
    // Shown instead of the favourite and recent sections when both are empty.
    [[nodiscard]] static QString emptyListsText();

    // A pick: emits placeChosen; the receiver adds the place to the recent list when asked to,
    // selects it, and the sheet closes.
    void choose(const SavedLocation &place, places::PickKind kind);

    // Empties the query and the results (the sheet opening afresh).
    Q_INVOKABLE void reset();

Q_SIGNALS:
    void queryChanged();
    void resultsChanged();
    void searchingChanged();
    void noResultsTextChanged();
    void placeChosen(const SavedLocation &place, bool addToRecents);

private:
    void cancelSearch();
    void startSearch();
    QCoro::Task<> runSearch(quint64 generation, QString text);
    void setResults(QList<GeoResult> results);
    void setSearching(bool searching);
    void updateNoResultsText();

    GeocodingService &m_service;
    QTimer m_debounceTimer;
    QString m_query;
    QString m_pendingText;
    QList<GeoResult> m_results;
    bool m_searching = false;
    quint64 m_generation = 0;
    QString m_noResultsText;
};
