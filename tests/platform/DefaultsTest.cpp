// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Defaults.h"
#include "platform/DefaultsNormalsStore.h"

#include "TestOutput.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

// Hand-edited or corrupt values, and values of the wrong type, read as missing; what is written
// survives a new instance with its type.
TEST(Defaults, ValuesSurviveWithTheirTypesAndUnreadableOnesReadAsMissing)
{
    test_support::TempDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.conf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[General]\nuseFahrenheit=maybe\nfontScale=big\ndailyBriefingHour=7.5\ndailyBriefingMinute=5\n"
               "climateNormals=not data\n\x01\x02garbage\n");
    file.close();
    const QByteArray normals = R"({"41.9|-87.6":{"computedYear":2026}})";
    {
        Defaults d(path);
        EXPECT_FALSE(d.boolValue(QStringLiteral("useFahrenheit")).has_value());
        EXPECT_FALSE(d.doubleValue(QStringLiteral("fontScale")).has_value());
        EXPECT_FALSE(d.intValue(QStringLiteral("dailyBriefingHour")).has_value());
        EXPECT_FALSE(DefaultsNormalsStore(d).load().has_value());
        d.setBool(QStringLiteral("useFahrenheit"), false);
        d.setInt(QStringLiteral("dailyBriefingHour"), 7);
        d.setDouble(QStringLiteral("fontScale"), 1.15);
        d.remove(QStringLiteral("dailyBriefingMinute"));
        d.setString(QStringLiteral("name"), QStringLiteral("a=b; [c]\n\"d\""));
        DefaultsNormalsStore(d).save(normals);
    }
    Defaults d(path);
    EXPECT_EQ(d.boolValue(QStringLiteral("useFahrenheit")), false);
    EXPECT_EQ(d.intValue(QStringLiteral("dailyBriefingHour")), 7);
    EXPECT_EQ(d.doubleValue(QStringLiteral("fontScale")), 1.15);
    EXPECT_FALSE(d.contains(QStringLiteral("dailyBriefingMinute")));
    EXPECT_EQ(d.stringValue(QStringLiteral("name")), QStringLiteral("a=b; [c]\n\"d\""));
    EXPECT_EQ(DefaultsNormalsStore(d).load(), normals);
    EXPECT_FALSE(d.boolValue(QStringLiteral("name")).has_value());
    EXPECT_FALSE(d.boolValue(QStringLiteral("dailyBriefingHour")).has_value());
    EXPECT_FALSE(d.stringValue(QStringLiteral("dailyBriefingHour")).has_value());
    EXPECT_FALSE(d.dataValue(QStringLiteral("name")).has_value());
}

TEST(Defaults, AFileThatDoesNotParseIsSetAsideNotOverwritten)
{
    for (const QByteArray &content : { QByteArray("stray line\n[General]\nuseFahrenheit=false\ndailyBriefingHour=7\n"),
             QByteArray("[General]\nuseFahrenheit=false\ndailyBriefingHour=7\n[\x80\xff\0\x01", 55) }) {
        test_support::TempDir dir;
        const QString path = dir.filePath(QStringLiteral("MerrinVale.conf"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        {
            Defaults d(path);
            EXPECT_EQ(d.boolValue(QStringLiteral("useFahrenheit")), false) << "what could be read is kept";
            EXPECT_EQ(d.intValue(QStringLiteral("dailyBriefingHour")), 7);
            d.setInt(QStringLiteral("review.daysUsed"), 3);
        }
        const QStringList aside = QDir(dir.path()).entryList({ QStringLiteral("MerrinVale.conf.unreadable-*") });
        ASSERT_EQ(aside.size(), 1);
        QFile kept(dir.filePath(aside.first()));
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), content);
        Defaults again(path);
        EXPECT_EQ(again.boolValue(QStringLiteral("useFahrenheit")), false);
        EXPECT_EQ(again.intValue(QStringLiteral("review.daysUsed")), 3);
    }
}
