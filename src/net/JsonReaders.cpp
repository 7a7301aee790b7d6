// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/JsonReaders.h"

#include "net/AppError.h"
#include "text/Trim.h"

#include <QJsonDocument>
#include <QJsonParseError>

#include <cmath>
#include <limits>

namespace json {
std::optional<double> number(const QJsonValue &value, double limit)
{
    if (!value.isDouble()) {
        return std::nullopt;
    }
    const double d = value.toDouble();
    if (!std::isfinite(d) || std::abs(d) > limit) {
        return std::nullopt;
    }
    return d;
}

std::optional<double> number(const QJsonObject &object, QLatin1StringView key, double limit)
{
    return number(object.value(key), limit);
}

std::optional<qint64> integer(const QJsonValue &value)
{
    const std::optional<double> d = number(value);
    if (!d) {
        return std::nullopt;
    }
    return static_cast<qint64>(std::trunc(*d));
}

std::optional<qint64> integer(const QJsonObject &object, QLatin1StringView key)
{
    return integer(object.value(key));
}

qint64 truncated(double value)
{
    if (!std::isfinite(value)) {
        return 0;
    }
    if (value >= 9.2233720368547758e18) {
        return std::numeric_limits<qint64>::max();
    }
    if (value < -9.2233720368547758e18) {
        return std::numeric_limits<qint64>::min();
    }
    return static_cast<qint64>(std::trunc(value));
}

std::optional<QString> label(const QJsonObject &object, QLatin1StringView key)
{
    if (const std::optional<QString> raw = text(object, key)) {
        return ::text::singleLine(*raw);
    }
    return std::nullopt;
}

NumberList numberList(const QJsonObject &object, QLatin1StringView key, double limit)
{
    const QJsonValue value = object.value(key);
    if (!value.isArray()) {
        return {};
    }
    const QJsonArray array = value.toArray();
    NumberList out;
    out.reserve(array.size());
    for (const QJsonValue &element : array) {
        out.append(number(element, limit));
    }
    return out;
}

QStringList textList(const QJsonObject &object, QLatin1StringView key)
{
    const QJsonValue value = object.value(key);
    if (!value.isArray()) {
        return {};
    }
    const QJsonArray array = value.toArray();
    QStringList out;
    out.reserve(array.size());
    for (const QJsonValue &element : array) {
        if (!element.isString()) {
            return {};
        }
        out.append(element.toString());
    }
    return out;
}

std::optional<QString> text(const QJsonObject &object, QLatin1StringView key)
{
    const QJsonValue value = object.value(key);
    if (!value.isString()) {
        return std::nullopt;
    }
    return value.toString();
}

std::optional<QJsonObject> object(const QJsonObject &object, QLatin1StringView key)
{
    const QJsonValue value = object.value(key);
    if (!value.isObject()) {
        return std::nullopt;
    }
    return value.toObject();
}

QJsonValue parse(const QByteArray &body)
{
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError) {
        throw JsonError(error.errorString(), error.offset);
    }
    if (document.isObject()) {
        return document.object();
    }
    if (document.isArray()) {
        return document.array();
    }
    return {};
}

QJsonObject parseObject(const QByteArray &body)
{
    const QJsonValue value = parse(body);
    if (!value.isObject()) {
        throw HttpError::badResponse();
    }
    return value.toObject();
}

} // namespace json
