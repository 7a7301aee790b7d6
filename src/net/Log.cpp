// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/Log.h"

Q_LOGGING_CATEGORY(netLog, "merrin.net")
