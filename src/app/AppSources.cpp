// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppSources.h"

#include "net/AppError.h"

QCoro::Task<QList<NwsAlert>> AppSources::activeAlerts(double, double)
{
    co_return {};
}

QCoro::Task<std::optional<NextHourNowcast>> AppSources::nextHourNowcast(double, double, QString)
{
    co_return std::nullopt;
}

QCoro::Task<std::optional<ClimateNormals>> AppSources::loadNormals(double, double, QString)
{
    co_return std::nullopt;
}

QCoro::Task<SavedLocation> AppSources::resolveCurrentLocation()
{
    throw AppError(QStringLiteral("Your location could not be determined."));
    co_return {};
}

bool AppSources::deviceLocationAuthorized() const
{
    return false;
}

QCoro::Task<std::optional<BriefingResult>> AppSources::generateBriefing(SavedLocation, std::optional<QString>, Flags)
{
    co_return std::nullopt;
}

QCoro::Task<QString> AppSources::answer(QString, SavedLocation, std::optional<QString>, QList<QaPair>, Flags)
{
    throw AppError(QStringLiteral("Merrin can't answer questions yet."));
    co_return {};
}

std::optional<QString> AppSources::localBriefingText(const Forecast &, const QList<NwsAlert> &,
    const std::optional<NextHourNowcast> &, const std::optional<ClimateNormals> &, const SavedLocation &) const
{
    return std::nullopt;
}

void AppSources::notifyNewAlerts(const QList<NwsAlert> &) { }

QCoro::Task<> AppSources::syncNotifications()
{
    co_return;
}

QCoro::Task<> AppSources::prewarmVoice()
{
    co_return;
}
