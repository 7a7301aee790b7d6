// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppSources.h"

void AppSources::notifyNewAlerts(const QList<NwsAlert> &) { }

QCoro::Task<> AppSources::syncNotifications(std::optional<SavedLocation>, QString)
{
    co_return;
}
