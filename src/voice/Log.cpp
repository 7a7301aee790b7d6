// SPDX-License-Identifier: GPL-3.0-or-later
#include "voice/Log.h"

Q_LOGGING_CATEGORY(voiceLog, "merrin.voice")
