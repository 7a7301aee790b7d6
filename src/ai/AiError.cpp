// SPDX-License-Identifier: GPL-3.0-or-later
#include "ai/AiError.h"

AiError::AiError(Kind kind, int status, QString message, QString description)
    : AppError(std::move(description))
    , m_kind(kind)
    , m_status(status)
    , m_message(std::move(message))
{ }

AiError AiError::api(int status, const QString &message)
{
    QString description;
    if (status == 401) {
        description = QStringLiteral("Anthropic rejected the API key. Check the key in Settings.");
    } else if (status == 429) {
        description = QStringLiteral("Anthropic rate limit reached. Wait a moment and try again.");
    } else {
        description = QStringLiteral("Anthropic request failed: ") + message;
    }
    return AiError(Kind::Api, status, message, description);
}

AiError AiError::emptyQuestion()
{
    return AiError(Kind::EmptyQuestion, 0, {}, QStringLiteral("Please enter a question."));
}

AiError AiError::noApiKey()
{
    return AiError(Kind::NoApiKey, 0, {}, QStringLiteral("No Anthropic API key is saved. Add one in Settings."));
}

AiError AiError::refused()
{
    return AiError(Kind::Refused, 0, {}, QStringLiteral("Merrin declined to answer this question."));
}

AiError AiError::emptyAnswer()
{
    return AiError(Kind::EmptyAnswer, 0, {}, QStringLiteral("Merrin returned an empty answer."));
}
