// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// The voice library's console lines ("merrin.voice"), so QT_LOGGING_RULES can silence or open them.
Q_DECLARE_LOGGING_CATEGORY(voiceLog)
