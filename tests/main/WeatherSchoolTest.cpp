// SPDX-License-Identifier: GPL-3.0-or-later
// Weather School in the real application in demo mode: opened from the toolbar with the keyboard,
// what the lesson says, the probability lab moved with the keys and by a preset, the lesson
// scrolled and closed, with screenshots in light and dark.
#include "DemoApp.h"

#include <QCoreApplication>
#include <QKeyEvent>

using namespace std::chrono_literals;

namespace {

void press(QQuickWindow *window, Qt::Key key, int times = 1)
{
    for (int i = 0; i < times; ++i) {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &down);
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &up);
    }
}

// The lesson's headings and the texts of its plates, tables and lab, in the order they come.
const QStringList kLessonTexts { "WEATHER SCHOOL", "MERRIN VALE", "METEOROLOGIST",
    "Seven things I wish everyone knew about forecasts", //
    "01", "WHAT 40% ACTUALLY MEANS", "CONFIDENCE (C)", "Rain happens somewhere in the area", "COVERAGE (A)",
    "Share of the area that gets wet if it does", "Have a play with it — and try the two presets underneath.",
    "Day A · 50 × 80", "Day B · 80 × 50", //
    "02", "WHY I SAY “SCATTERED”", "10%", "ISOLATED · A FEW", "20%", "SLIGHT CHANCE · WIDELY SCATTERED", "30–50%",
    "CHANCE · SCATTERED", "60–70%", "LIKELY · NUMEROUS", "80–100%", "NO QUALIFIER — JUST “RAIN”", //
    "03", "SUMMER STORMS ARE A DIFFERENT ANIMAL", "04", "WHY I WON'T PROMISE YOU RAIN AT 3:47", "05",
    "SOMETIMES THE RADAR IS LYING TO YOU", //
    "06", "HOW FAR AHEAD CAN I REALLY SEE?", "5 DAYS OUT", "right about 90% of the time", "7 DAYS OUT",
    "right about 80% of the time", "10 DAYS OUT", "about a coin flip", //
    "07", "WHY I READ WHAT THE FORECASTERS WROTE",
    "SOURCES · NOAA · NATIONAL WEATHER SERVICE · AMERICAN METEOROLOGICAL SOCIETY" };

using WeatherSchoolTest = DemoScreen;

} // namespace

TEST_F(WeatherSchoolTest, TheToolbarOpensTheLessonWhoseLabWorksOutTheChance)
{
    QQuickWindow *window = root->window();
    window->resize(900, 1000);
    QQuickItem *button =
        find(top(), [](QQuickItem *item) { return item->property("label").toString() == u"Weather School"; });
    ASSERT_NE(button, nullptr) << "no Weather School button in the toolbar";
    button->forceActiveFocus(Qt::TabFocusReason);
    press(window, Qt::Key_Space);
    ASSERT_TRUE(test_support::spinUntil([] { return named(top(), QStringLiteral("lesson")) != nullptr; }));
    QQuickItem *lesson = named(top(), QStringLiteral("lesson"));
    test_support::spin(400ms); // the sheet's opening

    QStringList texts = textsUnder(named(top(), QStringLiteral("lessonScroll"))->parentItem());
    qsizetype at = 0;
    for (const QString &text : kLessonTexts) {
        const qsizetype next = texts.indexOf(text, at);
        EXPECT_GE(next, 0) << "missing or out of order: " << text.toStdString();
        at = std::max(at, next);
    }
    EXPECT_TRUE(texts.filter(QStringLiteral("Open-Meteo's 15-minute forecast")).size() == 1);
    EXPECT_TRUE(texts.last().startsWith(u"SOURCES")) << texts.last().toStdString();
    EXPECT_TRUE(texts.at(texts.size() - 2).endsWith(u"Now go outside."));

    // Confidence 60 → 70 and coverage 40 → 70 with the arrow keys, 5 a step.
    const auto chance = [] { return named(top(), QStringLiteral("popChance"))->property("text").toString(); };
    const auto verdict = [] { return named(top(), QStringLiteral("popVerdict"))->property("text").toString(); };
    const auto slider = [lesson](const char *setting) {
        return find(named(lesson, QString::fromLatin1(setting)),
            [](QQuickItem *item) { return item->inherits("QQuickSlider"); });
    };
    slider("confidenceSlider")->forceActiveFocus(Qt::TabFocusReason);
    press(window, Qt::Key_Right, 2);
    slider("coverageSlider")->forceActiveFocus(Qt::TabFocusReason);
    press(window, Qt::Key_Right, 6);
    EXPECT_EQ(chance(), u"49%");
    EXPECT_EQ(verdict(), u"Confident, and it's covering everything. This is a day you plan around.");
    press(window, Qt::Key_Left, 3); // 70 × 55
    EXPECT_EQ(chance(), u"39%");
    EXPECT_TRUE(verdict().startsWith(u"Something will fire — I'm sure of that."));

    // Day A springs both sliders to 50 × 80.
    QQuickItem *dayA =
        find(lesson, [](QQuickItem *item) { return item->property("text").toString() == u"Day A · 50 × 80"; });
    ASSERT_NE(dayA, nullptr);
    dayA->forceActiveFocus(Qt::TabFocusReason);
    press(window, Qt::Key_Space);
    test_support::spin(50ms);
    EXPECT_LT(slider("coverageSlider")->property("value").toDouble(), 79.0) << "the sliders move there, not jump";
    EXPECT_TRUE(
        test_support::spinUntil([&] { return slider("coverageSlider")->property("value").toDouble() == 80.0; }));
    EXPECT_EQ(slider("confidenceSlider")->property("value").toDouble(), 50.0);
    EXPECT_EQ(chance(), u"40%");
    EXPECT_EQ(verdict(), u"Probably nothing at all. But if it does go, it goes everywhere at once.");

    // Pictures of the top and of the lab, light and dark.
    QObject *theme = DemoScreen::theme();
    ASSERT_NE(theme, nullptr);
    auto *flick = qvariant_cast<QObject *>(named(top(), QStringLiteral("lessonScroll"))->property("flick"));
    ASSERT_NE(flick, nullptr);
    for (const bool dark : { false, true }) {
        theme->setProperty("dark", dark);
        const QString appearance = dark ? QStringLiteral("dark") : QStringLiteral("light");
        flick->setProperty("contentY", 0);
        test_support::spin(50ms);
        saveShot(QStringLiteral("school-%1.png").arg(appearance));
        const QQuickItem *lab = named(lesson, QStringLiteral("popLab"));
        flick->setProperty("contentY", lab->mapToItem(lesson, QPointF(0, 0)).y() - 200);
        test_support::spin(50ms);
        saveShot(QStringLiteral("school-lab-%1.png").arg(appearance));
    }
    theme->setProperty("dark", false);

    // The keyboard scrolls the page: End to the bottom, Home back up.
    named(top(), QStringLiteral("lessonScroll"))->forceActiveFocus();
    press(window, Qt::Key_End);
    const double bottom = flick->property("contentHeight").toDouble() - flick->property("height").toDouble();
    EXPECT_DOUBLE_EQ(flick->property("contentY").toDouble(), bottom);
    press(window, Qt::Key_PageUp);
    EXPECT_LT(flick->property("contentY").toDouble(), bottom);
    press(window, Qt::Key_Home);
    EXPECT_EQ(flick->property("contentY").toDouble(), 0.0);

    press(window, Qt::Key_Escape);
    EXPECT_TRUE(test_support::spinUntil([] { return named(top(), QStringLiteral("lesson")) == nullptr; }));
}
