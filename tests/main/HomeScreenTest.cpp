// SPDX-License-Identifier: GPL-3.0-or-later
// The real application in demo mode (the same AppRoot merrin-vale builds), on the offscreen
// platform: what each card of the home screen shows, read from the visible text items of the
// card, in light and dark appearance at two text sizes, with a screenshot of each.
#include "voice/BriefingAudioPlayer.h"

#include "DemoApp.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include <algorithm>

using namespace std::chrono_literals;

namespace {

const QString kBriefing = QStringLiteral(
    "Phoenix is sitting at 113 degrees this afternoon under an Excessive Heat Warning that runs until 8 PM Saturday, "
    "so keep time outdoors short and the water bottle close. Storms drifting in from the high country should reach "
    "the Valley a little after 5, bringing a quick burst of rain, gusty winds of 40 to 50 mph and blowing dust before "
    "they clear out around 7. The air is also rough on sensitive lungs today, so save the hard workout for indoors. "
    "Tonight only bottoms out near 91, Saturday heats right back up to 116, and storm chances return from Sunday as "
    "the heat eases a little.");

// What the cards show in the demo: each card (its objectName) and texts it shows whole. A new card
// adds its row here.
const QList<std::pair<const char *, QStringList>> kShown {
    { "heroCard",
        { "Phoenix, Arizona", "113°", "Feels like 110° · H:115° L:91°", "OVERCAST", "DEW POINT", "60° · Comfortable",
            "WIND", "15 mph SE", "HUMIDITY", "19%", "UV INDEX" } },
    { "alertBanner", { "NWS ALERT", "Excessive Heat Warning" } },
    { "nowcastBanner", { "NOW", "+60 MIN", "Open-Meteo" } },
    { "hourlyStrip", { "5P", "106°", "40%" } },
    { "sevenDayOutlook", { "7 DAY FORECAST", "TODAY", "SAT", "116°" } },
    { "weatherSchoolCard",
        { "WEATHER SCHOOL", "“40% doesn't mean what you think it means.”",
            "Seven things I wish everyone knew about forecasts" } },
    { "attributionFooter",
        { "Weather data by Open-Meteo", "CC BY 4.0", "Alerts and bulletins by the National Weather Service",
            "Storm outlooks by the Storm Prediction Center" } },
    // The suggested question shows as the Ask field's placeholder.
    { "briefingCard",
        { "MERRIN VALE", "METEOROLOGIST · THE BRIEFING",
            "113 degrees now, with a dusty, gusty storm arriving a little after 5 PM.", kBriefing, "Listen",
            "ASK MERRIN", "Will the storm cool things down tonight?" } },
};

class HomeScreenTest : public DemoScreen
{
protected:
    static QStringList textsOf(const char *card) { return textsUnder(named(top(), QString::fromLatin1(card))); }
};

TEST_F(HomeScreenTest, EveryAppearanceShowsEachCardsTextsAndIsSaved)
{
    EXPECT_EQ(root->window()->title(), QStringLiteral("Merrin Vale — Demo"));
    QObject *theme = DemoScreen::theme();
    ASSERT_NE(theme, nullptr);
    // Tall enough for every card to be in the picture.
    const QSize size = root->window()->size();
    root->window()->resize(size.width(), 2400);
    for (const bool dark : { false, true }) {
        for (const double scale : { 1.0, 1.3 }) {
            const QString name = QStringLiteral("home-%1-%2.png")
                                     .arg(dark ? QStringLiteral("dark") : QStringLiteral("light"))
                                     .arg(scale, 0, 'f', 1);
            SCOPED_TRACE(name.toStdString());
            theme->setProperty("dark", dark);
            root->settings().setFontScale(scale);
            test_support::spin(50ms);
            EXPECT_DOUBLE_EQ(theme->property("textScale").toDouble(), scale) << "the theme follows the text size";
            for (const auto &[card, texts] : kShown) {
                const QStringList shown = textsOf(card);
                for (const QString &text : texts) {
                    EXPECT_TRUE(shown.contains(text)) << card << ": " << text.toStdString();
                }
            }
            saveShot(name);
        }
    }
    root->window()->resize(size);
}

TEST_F(HomeScreenTest, AnAlertOpensToWhatItSaysAndWhen)
{
    QQuickItem *banner = named(top(), QStringLiteral("alertBanner"));
    ASSERT_NE(banner, nullptr);
    EXPECT_FALSE(textsOf("alertBanner").contains(QStringLiteral("Fri 10:00 AM")));
    banner->setProperty("expanded", true);
    test_support::spin(20ms);
    const QStringList texts = textsOf("alertBanner");
    const QSize size = root->window()->size();
    root->window()->resize(size.width(), 1600);
    test_support::spin(20ms);
    saveShot(QStringLiteral("home-alert-open.png"));
    root->window()->resize(size);
    banner->setProperty("expanded", false);
    for (const QString &shown : QStringList { "BEGINS", "Fri 10:00 AM", "ENDS", "Sat 8:00 PM",
             "Excessive Heat Warning issued July 19 at 1:12PM MST until July 20 at 8:00PM MST by NWS Phoenix AZ" }) {
        EXPECT_TRUE(texts.contains(shown)) << shown.toStdString();
    }
}

// What the cards to come will show is in the model already: one place and moment throughout.
TEST_F(HomeScreenTest, TheScenarioFillsTheModel)
{
    const AppModel &model = root->model();
    QStringList events;
    for (const NwsAlert &alert : model.alerts()) {
        events.append(alert.event);
    }
    EXPECT_EQ(events, (QStringList { QStringLiteral("Excessive Heat Warning"), QStringLiteral("Air Quality Alert") }));
    ASSERT_TRUE(model.nowcast());
    EXPECT_EQ(model.nowcast()->summary, QStringLiteral("Rain starting around 5:01 PM"));
    ASSERT_TRUE(model.forecast() && model.forecast()->yesterday);
    EXPECT_EQ(model.forecast()->yesterday->date, QStringLiteral("2024-07-18"));
    EXPECT_TRUE(model.normals());
}

TEST_F(HomeScreenTest, AQuestionTypedInTheAskPanelGetsTheRecordedAnswer)
{
    auto *field = root->window()->findChild<QQuickItem *>(QStringLiteral("askField"));
    ASSERT_NE(field, nullptr);
    field->forceActiveFocus();
    field->setProperty("text", QStringLiteral("What about the weekend?"));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(root->window(), &press);
    EXPECT_TRUE(field->property("text").toString().isEmpty());
    EXPECT_FALSE(field->hasActiveFocus());

    const auto answered = [] {
        const QStringList texts = textsOf("briefingCard");
        return texts.contains(QStringLiteral("What about the weekend?"))
            && std::any_of(texts.cbegin(), texts.cend(), [](const QString &text) {
                   return text.startsWith(
                       QStringLiteral("Only for a little while: the storm's winds should knock it from about 113"));
               });
    };
    EXPECT_TRUE(test_support::spinUntil(answered));
    EXPECT_TRUE(textsOf("briefingCard").contains(QStringLiteral("Ask a follow-up…")));
}

TEST_F(HomeScreenTest, ListenReadsTheBriefingAloudUntilStopped)
{
    QQuickItem *button = named(top(), QStringLiteral("listenButton"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->property("text").toString(), QStringLiteral("Listen"));
    // The demo has no Google key: the desktop's own voice reads (a silent one here).
    QMetaObject::invokeMethod(button, "clicked");
    EXPECT_TRUE(test_support::spinUntil([&] { return button->property("text").toString() == QStringLiteral("Stop"); }));
    QMetaObject::invokeMethod(button, "clicked");
    EXPECT_EQ(button->property("text").toString(), QStringLiteral("Listen"));

    // What the desktop's Play Weather Briefing action (PlayBriefing on the bus) runs.
    test_support::await(root->playBriefing());
    EXPECT_TRUE(root->player().isPlaying());
    EXPECT_EQ(button->property("text").toString(), QStringLiteral("Stop"));
    QMetaObject::invokeMethod(button, "clicked");
    EXPECT_FALSE(root->player().isPlaying());
}

TEST_F(HomeScreenTest, TheKeyboardFocusScrollsItsControlIntoView)
{
    QQuickItem *focusable =
        find(named(top(), QStringLiteral("hourlyStrip")), [](QQuickItem *item) { return item->activeFocusOnTab(); });
    ASSERT_NE(focusable, nullptr);
    // In a window of the default size the strip lies below the fold.
    root->window()->resize(900, 640);
    test_support::spin(100ms);
    ASSERT_EQ(root->window()->contentItem()->height(), 640);
    top()->forceActiveFocus();
    focusable->forceActiveFocus(Qt::TabFocusReason);
    test_support::spin(50ms);
    const QPointF at = focusable->mapToItem(top(), QPointF(0, 0));
    EXPECT_GE(at.y(), 0);
    EXPECT_LE(at.y() + focusable->height(), root->window()->height());
}

} // namespace
