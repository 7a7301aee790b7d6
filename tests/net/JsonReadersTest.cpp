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
    ASSERT_EQ(list.size(), 5);
    EXPECT_EQ(list[0], 1.0);
    EXPECT_EQ(list[1], 2.5);
    EXPECT_FALSE(list[2].has_value());
    EXPECT_FALSE(list[3].has_value());
    EXPECT_EQ(list[4], 4.0);
    EXPECT_FALSE(json::at(list, 5).has_value());
    EXPECT_FALSE(json::at(list, -1).has_value());

    EXPECT_TRUE(json::numberList(obj(R"({"k":{"a":1}})"), k).isEmpty());
    EXPECT_TRUE(json::numberList(obj(R"({})"), k).isEmpty());
    EXPECT_EQ(json::textList(obj(R"({"k":["a","b"]})"), k), (QStringList { QStringLiteral("a"), QStringLiteral("b") }));
    EXPECT_TRUE(json::textList(obj(R"({"k":["a",1]})"), k).isEmpty());
    EXPECT_TRUE(json::textList(obj(R"({"k":"a"})"), k).isEmpty());
}

TEST(JsonReaders, ParsingReportsWhatIsWrong)
{
    try {
        (void)json::parseObject(QByteArray("<html>502 Bad Gateway</html>"));
        FAIL() << "expected JsonError";
    } catch (const JsonError &e) {
        EXPECT_TRUE(
            e.description().startsWith(QStringLiteral("The server's reply could not be read: it is not valid JSON (")));
        EXPECT_TRUE(e.description().contains(e.parserMessage()));
        EXPECT_FALSE(e.parserMessage().isEmpty());
    }
    EXPECT_THROW((void)json::parseObject(QByteArray()), JsonError);
    EXPECT_THROW((void)json::parseObject(QByteArray(R"({"a":[1,2)")), JsonError); // truncated
    try {
        (void)json::parseObject(QByteArray("[1,2,3]"));
        FAIL() << "expected HttpError";
    } catch (const HttpError &e) {
        EXPECT_EQ(e.description(), QStringLiteral("Unexpected response from server."));
    }
    // Five megabytes of garbage are refused without trouble.
    EXPECT_THROW((void)json::parseObject(QByteArray(5 * 1024 * 1024, '\x9c')), JsonError);
}
