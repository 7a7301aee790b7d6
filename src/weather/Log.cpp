// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/Log.h"

Q_LOGGING_CATEGORY(weatherLog, "merrin.weather")
