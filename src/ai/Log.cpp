// SPDX-License-Identifier: GPL-3.0-or-later
#include "ai/Log.h"

Q_LOGGING_CATEGORY(aiLog, "merrin.ai")
