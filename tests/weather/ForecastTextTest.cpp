// SPDX-License-Identifier: GPL-3.0-or-later
// The forecast text block against golden files: tests/data/forecast_text/NAME.json holds the
// replies and options, NAME.txt the exact text expected.
#include "weather/ForecastText.h"
#include "net/AppError.h"

#include "FakeServer.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

namespace {

const QString kFolder = QStringLiteral("forecast_text/");

std::optional<QJsonObject> objectOrFile(const QJsonValue &value)
{
    if (value.isString()) {
        return QJsonDocument::fromJson(testData(kFolder + value.toString())).object();
    }
    return value.isObject() ? std::optional(value.toObject()) : std::nullopt;
}

QString renderCase(const QString &name)
{
    const QJsonObject testCase = QJsonDocument::fromJson(testData(kFolder + name + QStringLiteral(".json"))).object();
    const forecast_text::Options options { testCase.value(QLatin1StringView("timezone")).toString(),
        testCase.value(QLatin1StringView("fahrenheit")).toBool(), testCase.value(QLatin1StringView("mph")).toBool() };
    return forecast_text::render(*objectOrFile(testCase.value(QLatin1StringView("main"))),
        objectOrFile(testCase.value(QLatin1StringView("fallback"))),
        objectOrFile(testCase.value(QLatin1StringView("airQuality"))), options);
}

QString golden(const QString &name)
{
    QString text = QString::fromUtf8(testData(kFolder + name + QStringLiteral(".txt")));
    if (text.endsWith(QLatin1Char('\n'))) {
        text.chop(1); // the file's own final line feed; the block has none
    }
    return text;
}

} // namespace

TEST(ForecastTextTest, EveryGoldenBlockRendersExactly)
{
    const QStringList cases = QDir(QStringLiteral(MERRIN_TEST_DATA_DIR "/forecast_text"))
                                  .entryList({ QStringLiteral("*.txt") }, QDir::Files, QDir::Name);
    ASSERT_GE(cases.size(), 12);
    for (const QString &file : cases) {
        const QString name = file.chopped(4);
        SCOPED_TRACE(name.toStdString());
        const QString actual = renderCase(name);
        const QString expected = golden(name);
        EXPECT_EQ(actual.toStdString(), expected.toStdString());
    }
}

TEST(ForecastTextTest, HourlyWindowCountsLinesFromTheCurrentHour)
{
    const QString text = renderCase(QStringLiteral("hour_index_40"));
    const QString hours = text.section(QStringLiteral("Hourly (next 48h):\n"), 1);
    EXPECT_EQ(hours.split(QLatin1Char('\n')).size(), 20);
}

TEST(ForecastTextTest, MissingSectionsAreABadResponse)
{
    for (const char *missing : { "current", "daily", "hourly" }) {
        SCOPED_TRACE(missing);
        QJsonObject main { { QStringLiteral("current"), QJsonObject() }, { QStringLiteral("daily"), QJsonObject() },
            { QStringLiteral("hourly"), QJsonObject() } };
        main.insert(QLatin1StringView(missing), QJsonArray());
        try {
            (void)forecast_text::render(main, std::nullopt, std::nullopt, {});
            ADD_FAILURE() << "no error";
        } catch (const HttpError &error) {
            EXPECT_EQ(error.kind(), HttpError::Kind::BadResponse);
        }
    }
}

TEST(ForecastTextTest, NumberFormat)
{
    using forecast_text::number;
    EXPECT_EQ(number(std::nullopt), QStringLiteral("n/a"));
    EXPECT_EQ(number(1.0), QStringLiteral("1"));
    EXPECT_EQ(number(0.4), QStringLiteral("0.4"));
    EXPECT_EQ(number(-0.0), QStringLiteral("0"));
    EXPECT_EQ(number(12.46), QStringLiteral("12.5"));
    EXPECT_EQ(number(1e16), QStringLiteral("10000000000000000"));
}
