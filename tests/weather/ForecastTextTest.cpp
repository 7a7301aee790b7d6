// SPDX-License-Identifier: GPL-3.0-or-later
// The forecast text block against golden files: tests/data/forecast_text/NAME.json holds the
// replies and options, NAME.txt the exact text expected.
#include "weather/ForecastText.h"

#include "FakeServer.h"

#include <QDir>
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

TEST(ForecastTextTest, NumberFormat)
{
    // The golden blocks show n/a, whole numbers and one decimal; these are the edges.
    EXPECT_EQ(forecast_text::number(-0.0), QStringLiteral("0"));
    EXPECT_EQ(forecast_text::number(12.46), QStringLiteral("12.5"));
    EXPECT_EQ(forecast_text::number(1e16), QStringLiteral("10000000000000000"));
}
