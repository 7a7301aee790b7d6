// SPDX-License-Identifier: GPL-3.0-or-later
#include "location/Log.h"

Q_LOGGING_CATEGORY(locationLog, "merrin.location")
