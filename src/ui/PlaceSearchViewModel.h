// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "location/LocationSearch.h"
#include "location/PlaceLists.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

#include <chrono>

class AppModel;
class GeocodingService;

// The place search sheet's view: the query, the rows it lists (favourites and recent places
// while nothing is typed, the search results otherwise) and what a pick does. Picking a result
// or a recent place puts it first in the recent list; a favourite leaves the list alone. Every
// pick makes the place the app's location and asks the sheet to close.
class PlaceSearchViewModel : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Provided by the application")
    Q_PROPERTY(QString query READ query WRITE setQuery NOTIFY queryChanged)
    Q_PROPERTY(bool searching READ searching NOTIFY searchingChanged)
    Q_PROPERTY(QString placeholderText READ placeholderText CONSTANT)
    Q_PROPERTY(QVariantList rows READ rows NOTIFY rowsChanged)
    Q_PROPERTY(QString emptyText READ emptyText NOTIFY rowsChanged)

public:
    // service and model must outlive the view model.
    PlaceSearchViewModel(GeocodingService &service, AppModel &model,
        std::chrono::milliseconds debounce = LocationSearch::kDebounce, QObject *parent = nullptr);

    [[nodiscard]] QString query() const { return m_search.query(); }
    void setQuery(const QString &query) { m_search.setQuery(query); }
    [[nodiscard]] bool searching() const { return m_search.searching(); }
    [[nodiscard]] static QString placeholderText() { return LocationSearch::placeholderText(); }

    // One map per row: "kind" ("favorite", "recent" or "result"), "header" (the section title
    // on the first row of a section, else empty), "label" (name, region and country) and
    // "place" (the place as places::toVariant gives it).
    [[nodiscard]] QVariantList rows() const;
    // What the sheet shows when it has no rows: the hint with nothing typed, the no-results
    // text once a search has found nothing, else nothing.
    [[nodiscard]] QString emptyText() const;

    Q_INVOKABLE void pick(int row);
    Q_INVOKABLE void clearRecents();
    // Empties the query and the results (the sheet opening afresh).
    Q_INVOKABLE void reset();

    [[nodiscard]] LocationSearch &search() { return m_search; }

Q_SIGNALS:
    void queryChanged();
    void searchingChanged();
    void rowsChanged();
    // A place was picked and made current: the sheet closes.
    void chosen();

private:
    struct Row
    {
        places::PickKind kind;
        SavedLocation place;
    };

    void rebuild();
    void onPlaceChosen(const SavedLocation &place, bool addToRecents);

    LocationSearch m_search;
    QPointer<AppModel> m_model;
    QList<Row> m_rows;
};
