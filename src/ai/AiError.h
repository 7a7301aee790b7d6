// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/AppError.h"

// What can go wrong when talking to the presenter's language model.
class AiError : public AppError
{
public:
    enum class Kind { Api, EmptyQuestion, NoApiKey, Refused, EmptyAnswer };

    // 401 and 429 have messages of their own; any other status shows the server's message
    // after "Anthropic request failed: ".
    static AiError api(int status, const QString &message);
    static AiError emptyQuestion();
    static AiError noApiKey();
    static AiError refused();
    static AiError emptyAnswer();

    [[nodiscard]] Kind kind() const noexcept { return m_kind; }
    [[nodiscard]] int status() const noexcept { return m_status; }
    [[nodiscard]] const QString &message() const noexcept { return m_message; }

private:
    AiError(Kind kind, int status, QString message, QString description);
    Kind m_kind;
    int m_status = 0;
    QString m_message;
};
