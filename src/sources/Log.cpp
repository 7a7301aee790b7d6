// SPDX-License-Identifier: GPL-3.0-or-later
#include "sources/Log.h"

Q_LOGGING_CATEGORY(sourcesLog, "merrin.sources")
