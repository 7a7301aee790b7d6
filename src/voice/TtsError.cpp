// SPDX-License-Identifier: GPL-3.0-or-later
#include "voice/TtsError.h"

TtsError::TtsError(Kind kind, QString description, int status, QString message)
    : AppError(std::move(description))
    , m_kind(kind)
    , m_status(status)
    , m_message(std::move(message))
{ }

TtsError TtsError::noApiKey()
{
    return { Kind::NoApiKey,
        QStringLiteral("No Google AI Studio key is saved. Add one in Settings to hear Merrin's studio voice.") };
}

TtsError TtsError::emptyText()
{
    return { Kind::EmptyText, QStringLiteral("There's no briefing to read yet.") };
}

TtsError TtsError::malformedAudio()
{
    return { Kind::MalformedAudio, QStringLiteral("Google returned audio Merrin couldn't play.") };
}

TtsError TtsError::api(int status, const QString &message)
{
    QString description;
    if (status == 401 || status == 403) {
        description = QStringLiteral("Google rejected the request: ") + message;
    } else if (status == 429) {
        description = QStringLiteral("Google rate limit reached. Try again in a moment.");
    } else {
        description = QStringLiteral("Speech synthesis failed (%1): ").arg(status) + message;
    }
    return { Kind::Api, description, status, message };
}
