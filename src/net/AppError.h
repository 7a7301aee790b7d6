// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QNetworkReply>
#include <QString>

#include <exception>

// The base of every error the application reports. description() is the user-facing message
// that screens show as it is.
class AppError : public std::exception
{
public:
    explicit AppError(QString description);
    [[nodiscard]] const QString &description() const noexcept { return m_description; }
    [[nodiscard]] const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_description;
    QByteArray m_utf8;
};

// An HTTP reply that arrived but cannot be used.
class HttpError : public AppError
{
public:
    enum class Kind { BadStatus, BadResponse };

    // "Request failed (503): busy"; the body is cut to its first 200 characters.
    static HttpError badStatus(int status, const QString &body);
    // "Unexpected response from server."
    static HttpError badResponse();

    [[nodiscard]] Kind kind() const noexcept { return m_kind; }
    [[nodiscard]] int status() const noexcept { return m_status; }
    [[nodiscard]] const QString &body() const noexcept { return m_body; }

private:
    HttpError(Kind kind, int status, QString body, QString description);
    Kind m_kind;
    int m_status = 0;
    QString m_body;
};

// The request never produced a usable HTTP reply: no connection, a reset, a timeout. The
// description is the network stack's own text.
class NetworkError : public AppError
{
public:
    NetworkError(QNetworkReply::NetworkError code, const QString &description);
    [[nodiscard]] QNetworkReply::NetworkError code() const noexcept { return m_code; }
    [[nodiscard]] bool isTimeout() const noexcept { return m_code == QNetworkReply::TimeoutError; }
    // The request was given up by its own side (its request group was aborted).
    [[nodiscard]] bool isCancelled() const noexcept { return m_code == QNetworkReply::OperationCanceledError; }

private:
    QNetworkReply::NetworkError m_code;
};

// A body that is not JSON at all.
class JsonError : public AppError
{
public:
    JsonError(const QString &parserMessage, qsizetype offset);
    [[nodiscard]] const QString &parserMessage() const noexcept { return m_parserMessage; }

private:
    QString m_parserMessage;
};

// The user-facing text of any caught exception: an AppError's description, otherwise the
// exception's own message.
[[nodiscard]] QString describeError(const std::exception &error);
// The same for the exception being handled, from inside a catch block of any kind.
[[nodiscard]] QString describeCurrentException();
