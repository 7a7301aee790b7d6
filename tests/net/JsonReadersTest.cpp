// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/JsonReaders.h"
#include "net/AppError.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

namespace {
QJsonObject obj(const char *text)
{
    return QJsonDocument::fromJson(QByteArray(text)).object();
}
constexpr QLatin1StringView k("k");
} // namespace

TEST(JsonReaders, NumbersAndIntegers)
{
    EXPECT_EQ(json::number(obj(R"({"k":3})"), k), 3.0);
    EXPECT_EQ(json::number(obj(R"({"k":-2.5})"), k), -2.5);
    for (const char *absent : { R"({})", R"({"k":null})", R"({"k":"3"})", R"({"k":true})", R"({"k":[1]})" }) {
        SCOPED_TRACE(absent);
        EXPECT_FALSE(json::number(obj(absent), k).has_value());
        EXPECT_FALSE(json::integer(obj(absent), k).has_value());
    }
    EXPECT_EQ(json::integer(obj(R"({"k":95})"), k), 95);
    EXPECT_EQ(json::integer(obj(R"({"k":61.9})"), k), 61); // truncated
    EXPECT_EQ(json::integer(obj(R"({"k":-1.7})"), k), -1); // towards zero
    EXPECT_EQ(json::integer(obj(R"({"k":1e300})"), k), std::nullopt);
    // Absurd magnitudes read as missing, like a value of the wrong type.
    for (const char *absurd : { R"({"k":1e308})", R"({"k":-1000000001})", R"({"k":9223372036854775807})" }) {
        SCOPED_TRACE(absurd);
        EXPECT_FALSE(json::number(obj(absurd), k).has_value());
        EXPECT_FALSE(json::integer(obj(absurd), k).has_value());
    }
    EXPECT_EQ(json::number(obj(R"({"k":-1000000000})"), k), -1e9);
    EXPECT_EQ(json::numberList(obj(R"({"k":[1721430000, 1e13]})"), k, json::kMaxUnixTime),
        (json::NumberList { 1721430000.0, std::nullopt }));
    EXPECT_EQ(json::label(obj("{\"k\":\"Phoenix\\u0000\\n  Sky\\u001b[0m Harbor\"}"), k),
        QStringLiteral("Phoenix Sky[0m Harbor"));
}

TEST(JsonReaders, ListsKeepAbsentElementsInPlace)
{
    const json::NumberList list = json::numberList(obj(R"({"k":[1, 2.5, null, "x", 4]})"), k);
    EXPECT_EQ(list, (json::NumberList { 1.0, 2.5, std::nullopt, std::nullopt, 4.0 }));
    EXPECT_FALSE(json::at(list, 5).has_value());
    EXPECT_FALSE(json::at(list, -1).has_value());
    EXPECT_TRUE(json::numberList(obj(R"({"k":{"a":1}})"), k).isEmpty());
    EXPECT_EQ(json::textList(obj(R"({"k":["a","b"]})"), k), (QStringList { QStringLiteral("a"), QStringLiteral("b") }));
    EXPECT_TRUE(json::textList(obj(R"({"k":["a",1]})"), k).isEmpty());
    EXPECT_TRUE(json::textList(obj(R"({"k":"a"})"), k).isEmpty());
}

// Not JSON and arrays are in the fault matrix; here the other bodies the parser refuses.
TEST(JsonReaders, ParsingRefusesEmptyTruncatedAndHugeGarbage)
{
    for (const QByteArray &bad : { QByteArray(), QByteArray(R"({"a":[1,2)"), QByteArray(5 * 1024 * 1024, '\x9c') }) {
        EXPECT_THROW((void)json::parseObject(bad), JsonError);
    }
}
