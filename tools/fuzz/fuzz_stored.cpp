// SPDX-License-Identifier: GPL-3.0-or-later
// What the app reads back from files: the settings file (the last place, favourites and recents,
// the cached briefing, the climate normals map, every typed value), merrin-cli's saved composer
// inputs (compose --input) and endpoints file, and the --now instant.
#include "FuzzSupport.h"

#include "app/BriefingCache.h"
#include "app/SettingsStore.h"
#include "composer/LocalBriefing.h"
#include "net/AppError.h"
#include "net/Clock.h"
#include "net/JsonReaders.h"
#include "platform/Defaults.h"
#include "platform/DefaultsNormalsStore.h"
#include "platform/KeyStore.h"
#include "platform/SettingsKeys.h"
#include "weather/ClimateNormalsService.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

namespace {

QString freshPath(const QTemporaryDir &dir, const char *suffix)
{
    // A new name every time: QSettings keeps parsed files by name within the process.
    static quint64 counter = 0;
    return dir.filePath(QStringLiteral("input-%1%2").arg(++counter).arg(QLatin1String(suffix)));
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
    }
}

// Everything the app reads from its settings file at start.
void readSettings(Defaults &defaults)
{
    const FixedClock clock(QDateTime::fromSecsSinceEpoch(1786653060, QTimeZone::utc()));
    KeyStore keys(KeyStore::MemoryOnly {});
    SettingsStore store(defaults, keys, clock);
    (void)store.windowPlacement();
    (void)CachedBriefing::load(defaults);
    fuzz::Network network([](const QUrl &) { return fuzz::Reply { 404, QByteArray() }; });
    DefaultsNormalsStore normalsStore(defaults);
    const ClimateNormalsService normals(network, fuzz::endpoints(), clock, normalsStore);
    (void)normals.storedNormals();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureApplication();
    static QTemporaryDir folder;
    const fuzz::Input input(data, size);

    switch (input.mode(4)) {
    case 0: {
        // Each stored JSON value, as the app itself would have written it: parts 0 to 4.
        const QString path = freshPath(folder, ".conf");
        {
            Defaults defaults(path);
            const setting::DataKey keys[] = { setting::lastLocation, setting::favorites, setting::recentLocations,
                setting::cachedBriefing, setting::climateNormals };
            for (qsizetype i = 0; i < qsizetype(std::size(keys)); ++i) {
                defaults.write(keys[i], input.part(i));
            }
            readSettings(defaults);
        }
        QFile::remove(path);
        break;
    }
    case 1: {
        // A settings file as found on disk, whatever is in it.
        const QString path = freshPath(folder, ".conf");
        writeFile(path, input.payload());
        {
            Defaults defaults(path);
            readSettings(defaults);
        }
        QFile::remove(path);
        break;
    }
    case 2:
        // merrin-cli compose --input FILE
        try {
            const QJsonValue value = json::parse(input.payload());
            if (value.isObject()) {
                (void)composer::composeReport(composer::composerInputsFromJson(value.toObject()));
            }
        } catch (const AppError &) { }
        break;
    default: {
        // --endpoints FILE and --now.
        const QString path = freshPath(folder, ".json");
        writeFile(path, input.payload());
        Endpoints endpoints;
        (void)endpoints.applyOverridesFile(path);
        QFile::remove(path);
        (void)Clock::parseInstant(input.text());
        break;
    }
    }
    return 0;
}
