// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Log.h"

Q_LOGGING_CATEGORY(appLog, "merrin.app")
