// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppSources.h"

void AppSources::notifyNewAlerts(const QList<NwsAlert> &) { }

QCoro::Task<> AppSources::syncNotifications()
{
    co_return;
}
