// SPDX-License-Identifier: GPL-3.0-or-later
// The Open-Meteo replies: the screen forecast (with the UV supplement), the model's forecast
// text block (main, fallback and air-quality replies), air quality alone, the 15-minute data
// behind the next-hour nowcast, and the ten-year archive behind the climate normals.
#include "FuzzSupport.h"

#include "net/Clock.h"
#include "platform/MinuteForecastSource.h"
#include "weather/ClimateNormalsService.h"
#include "weather/ClimateNormalsStore.h"
#include "weather/ForecastService.h"
#include "weather/NowcastService.h"

#include <QTimeZone>

namespace {

class MemoryNormalsStore final : public ClimateNormalsStore
{
public:
    [[nodiscard]] std::optional<QByteArray> load() const override { return m_json; }
    void save(const QByteArray &json) override { m_json = json; }

private:
    std::optional<QByteArray> m_json;
};

// Chicago: inside the contiguous United States, so every request of a forecast is made.
constexpr double kLatitude = 41.88;
constexpr double kLongitude = -87.63;
const QString kZone = QStringLiteral("America/Chicago");

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureApplication();
    const fuzz::Input input(data, size);
    const int status = input.status();
    // Each request of one call reads its own part: the main forecast request, then the second
    // forecast request (the UV supplement or the fallback without models), then air quality.
    fuzz::Network network([&](const QUrl &url) {
        const QString service = fuzz::serviceOf(url);
        const QUrlQuery query(url);
        if (service == QLatin1String("openMeteoAirQuality")) {
            return fuzz::Reply { status, input.part(2) };
        }
        // The UV supplement asks for the daily UV maximum only; the text block's fallback is the
        // request with 15-minute data that names no model.
        const bool uvSupplement = query.queryItemValue(QStringLiteral("daily")) == QStringLiteral("uv_index_max");
        const bool fallback =
            query.hasQueryItem(QStringLiteral("minutely_15")) && !query.hasQueryItem(QStringLiteral("models"));
        const bool second = uvSupplement || fallback;
        return fuzz::Reply { status, input.part(second ? 1 : 0) };
    });
    const Endpoints endpoints = fuzz::endpoints();

    switch (input.mode(6)) {
    case 0: {
        ForecastService service(network, endpoints);
        fuzz::run(service.fetchForecast(kLatitude, kLongitude, kZone, true, true));
        break;
    }
    case 1: {
        ForecastService service(network, endpoints);
        // Melbourne: one request, metric units.
        fuzz::run(service.fetchForecast(-37.81, 144.96, QStringLiteral("Australia/Melbourne"), false, false));
        break;
    }
    case 2: {
        ForecastService service(network, endpoints);
        fuzz::run(service.forecastSummary(kLatitude, kLongitude, kZone, true, true));
        break;
    }
    case 3: {
        ForecastService service(network, endpoints);
        fuzz::run(service.fetchAirQuality(kLatitude, kLongitude));
        break;
    }
    case 4: {
        // The seeds' 15-minute steps start 2026-08-13T20:10Z; the clock stands an hour later.
        const FixedClock clock(QDateTime::fromSecsSinceEpoch(1786653060, QTimeZone::utc()));
        MinuteForecastSource minutes(network, endpoints, clock);
        NowcastService nowcast(minutes, clock);
        fuzz::run(nowcast.nowcastText(kLatitude, kLongitude, kZone));
        break;
    }
    default: {
        const FixedClock clock(QDateTime::fromSecsSinceEpoch(1786653060, QTimeZone::utc()));
        MemoryNormalsStore store;
        ClimateNormalsService normals(network, endpoints, clock, store);
        fuzz::run(normals.loadNormals(kLatitude, kLongitude, kZone));
        (void)normals.storedNormals();
        break;
    }
    }
    return 0;
}
