// SPDX-License-Identifier: GPL-3.0-or-later
// The National Weather Service and Storm Prediction Center replies: the active-alert feed, the
// points look-up, the bulletin list and the bulletin itself (and its text as the reductions see
// it), and the convective-outlook GeoJSON files.
#include "FuzzSupport.h"

#include "net/Clock.h"
#include "sources/NwsBulletins.h"
#include "sources/NwsService.h"
#include "sources/SpcService.h"

#include <QTimeZone>

namespace {

// Oklahoma City: covered by every outlook and every NWS look-up.
constexpr double kLatitude = 35.47;
constexpr double kLongitude = -97.52;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureApplication();
    const fuzz::Input input(data, size);
    const int status = input.status();
    // The bulletin list reads part 0 and the bulletin part 1; the outlook of day N reads part N-1;
    // every other request reads part 0.
    fuzz::Network network([&](const QUrl &url) {
        const QString path = url.path();
        if (path.contains(QLatin1String("/products/")) && !path.contains(QLatin1String("/products/types/"))
            && fuzz::serviceOf(url) == QLatin1String("nws")) {
            return fuzz::Reply { status, input.part(1) };
        }
        for (int day = 1; day <= 3; ++day) {
            if (path.contains(QStringLiteral("day%1otlk").arg(day))) {
                return fuzz::Reply { status, input.part(day - 1) };
            }
        }
        return fuzz::Reply { status, input.part(0) };
    });
    const Endpoints endpoints = fuzz::endpoints();
    FixedClock clock(QDateTime::fromSecsSinceEpoch(1786653060, QTimeZone::utc()));

    switch (input.mode(6)) {
    case 0: {
        NwsService nws(network, endpoints, clock);
        fuzz::run(nws.activeAlerts(kLatitude, kLongitude));
        break;
    }
    case 1: {
        NwsService nws(network, endpoints, clock);
        fuzz::run(nws.forecastOffice(kLatitude, kLongitude));
        break;
    }
    case 2:
    case 3: {
        NwsService nws(network, endpoints, clock);
        const QString type = input.mode(6) == 2 ? QStringLiteral("AFD") : QStringLiteral("HWO");
        fuzz::run(nws.latestProduct(type, QStringLiteral("OUN")));
        break;
    }
    case 4: {
        SpcService spc(network, endpoints, clock);
        fuzz::run(spc.convectiveOutlookText(kLatitude, kLongitude));
        break;
    }
    default: {
        // A bulletin's text as the reductions receive it, without the JSON around it.
        const QString text = input.text();
        (void)nws::trimDiscussion(text, 600);
        (void)nws::trimOutlook(text, 400);
        break;
    }
    }
    return 0;
}
