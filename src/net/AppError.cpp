// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/AppError.h"

#include "text/Trim.h"

#include "text/Graphemes.h"

AppError::AppError(QString description)
    : m_description(std::move(description))
    , m_utf8(m_description.toUtf8())
{ }

HttpError::HttpError(Kind kind, int status, QString body, QString description)
    : AppError(std::move(description))
    , m_kind(kind)
    , m_status(status)
    , m_body(std::move(body))
{ }

HttpError HttpError::badStatus(int status, const QString &body)
{
    QString message = QStringLiteral("Request failed (%1)").arg(status);
    if (!body.isEmpty()) {
        // Servers put anything in a body (pages of HTML, terminal escapes): only one clean line
        // of it reaches the message.
        message += QStringLiteral(": ") + text::singleLine(text::graphemePrefix(body, 200));
    }
    return HttpError(Kind::BadStatus, status, body, message);
}

HttpError HttpError::badResponse()
{
    return HttpError(Kind::BadResponse, 0, QString(), QStringLiteral("Unexpected response from server."));
}

NetworkError::NetworkError(QNetworkReply::NetworkError code, const QString &description)
    : AppError(description)
    , m_code(code)
{ }

JsonError::JsonError(const QString &parserMessage, qsizetype offset)
    : AppError(QStringLiteral("The server's reply could not be read: it is not valid JSON (%1 at character %2).")
                   .arg(parserMessage)
                   .arg(offset))
    , m_parserMessage(parserMessage)
{ }

QString describeError(const std::exception &error)
{
    if (const auto *appError = dynamic_cast<const AppError *>(&error)) {
        return appError->description();
    }
    return QString::fromUtf8(error.what());
}

QString describeCurrentException()
{
    try {
        throw;
    } catch (const std::exception &error) {
        return describeError(error);
    } catch (...) {
        return QStringLiteral("Unknown error.");
    }
}
