// SPDX-License-Identifier: GPL-3.0-or-later
// The replies that find and name places: the two IP geolocation services, the reverse geocoder
// and the place search.
#include "FuzzSupport.h"

#include "location/GeocodingService.h"
#include "location/LocationProvider.h"
#include "location/PlaceLists.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureApplication();
    const fuzz::Input input(data, size);
    const int status = input.status();
    // The first IP service reads part 0, the second part 1, the reverse geocoder part 2 and the
    // place search part 0.
    fuzz::Network network([&](const QUrl &url) {
        const QString service = fuzz::serviceOf(url);
        if (service == QLatin1String("ipGeolocation2")) {
            return fuzz::Reply { status, input.part(1) };
        }
        if (service == QLatin1String("reverseGeocoding")) {
            return fuzz::Reply { status, input.part(2) };
        }
        return fuzz::Reply { status, input.part(0) };
    });
    const Endpoints endpoints = fuzz::endpoints();

    switch (input.mode(4)) {
    case 0: {
        LocationProvider provider(network, endpoints, nullptr);
        fuzz::run(provider.detectLocation());
        break;
    }
    case 1: {
        LocationProvider provider(network, endpoints, nullptr);
        fuzz::run(provider.reverseGeocode(55.6, 13.0));
        break;
    }
    case 2: {
        // No device position: IP geolocation, then the reverse geocoder names the place.
        LocationProvider provider(network, endpoints, nullptr);
        fuzz::run(provider.resolveCurrentLocation());
        break;
    }
    default: {
        GeocodingService geocoding(network, endpoints);
        try {
            const QList<GeoResult> results = test_support::await(geocoding.searchLocations(QStringLiteral("Enschede")));
            for (const GeoResult &result : results) {
                (void)places::rowLabel(result.name, result.admin1, result.country);
            }
        } catch (const test_support::AwaitTimeout &) {
            fuzz::hangDetected();
        } catch (const std::exception &) { }
        break;
    }
    }
    return 0;
}
