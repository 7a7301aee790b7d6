// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/AppError.h"

// Why the studio voice could not make audio; description() is what the user sees.
class TtsError : public AppError
{
public:
    enum class Kind { NoApiKey, EmptyText, MalformedAudio, Api };

    static TtsError noApiKey();
    static TtsError emptyText();
    static TtsError malformedAudio();
    // 401/403: "Google rejected the request: …"; 429: the rate-limit text; otherwise
    // "Speech synthesis failed (status): …".
    static TtsError api(int status, const QString &message);

    [[nodiscard]] Kind kind() const noexcept { return m_kind; }
    [[nodiscard]] int status() const noexcept { return m_status; }
    [[nodiscard]] const QString &message() const noexcept { return m_message; }

private:
    TtsError(Kind kind, QString description, int status = 0, QString message = {});
    Kind m_kind;
    int m_status = 0;
    QString m_message;
};
