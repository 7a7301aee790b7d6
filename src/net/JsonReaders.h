// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Readers for values in server replies. A missing key, a null or a value of another type reads
// as absent (or as an empty list); they never throw.
namespace json {

using NumberList = QList<std::optional<double>>;

// No measurement the application reads comes near this: a number beyond it (or one that is not
// finite) is absurd, and reads as absent like a value of the wrong type.
inline constexpr double kMaxMagnitude = 1e9;
// The limit for instants in Unix seconds.
inline constexpr double kMaxUnixTime = 1e12;

// A floating-point value, or an integer converted to floating point.
[[nodiscard]] std::optional<double> number(
    const QJsonObject &object, QLatin1StringView key, double limit = kMaxMagnitude);
[[nodiscard]] std::optional<double> number(const QJsonValue &value, double limit = kMaxMagnitude);
// An integer, or a floating-point value truncated towards zero.
[[nodiscard]] std::optional<qint64> integer(const QJsonObject &object, QLatin1StringView key);
[[nodiscard]] std::optional<qint64> integer(const QJsonValue &value);
// Each element a number or absent; a missing key or a non-list gives an empty list.
[[nodiscard]] NumberList numberList(const QJsonObject &object, QLatin1StringView key, double limit = kMaxMagnitude);
// The list's strings; a missing key, a non-list or a list holding anything but strings gives
// an empty list.
[[nodiscard]] QStringList textList(const QJsonObject &object, QLatin1StringView key);
// The text at key, or absent when it is missing or not a string.
[[nodiscard]] std::optional<QString> text(const QJsonObject &object, QLatin1StringView key);
// The text at key as one clean line (control characters dropped, white space collapsed): for
// names and titles a server sends that end up in a label or a message.
[[nodiscard]] std::optional<QString> label(const QJsonObject &object, QLatin1StringView key);
// The object at key, or absent.
[[nodiscard]] std::optional<QJsonObject> object(const QJsonObject &object, QLatin1StringView key);

// Element i of a number list, absent past its end.
[[nodiscard]] inline std::optional<double> at(const NumberList &list, qsizetype i)
{
    return i >= 0 && i < list.size() ? list.at(i) : std::nullopt;
}

// A finite double truncated towards zero and clamped to the 64-bit range.
[[nodiscard]] qint64 truncated(double value);

// Parses a reply body. Throws JsonError when it is not JSON at all; returns the value otherwise.
[[nodiscard]] QJsonValue parse(const QByteArray &body);
// Parses a reply body that must be a JSON object: JsonError when it is not JSON,
// HttpError::badResponse when it is JSON of another kind.
[[nodiscard]] QJsonObject parseObject(const QByteArray &body);

} // namespace json
