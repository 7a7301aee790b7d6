// SPDX-License-Identifier: GPL-3.0-or-later
// The real application in demo mode (the same AppRoot merrin-vale builds), on the offscreen
// platform: what each card of the home screen shows, read from the visible text items of the
// card, in light and dark appearance at two text sizes, with a screenshot of each.
#include "main/AppRoot.h"

#include "app/AppModel.h"
#include "app/SettingsStore.h"
#include "ui/HomeViewModel.h"
#include "voice/BriefingAudioPlayer.h"

#include "Await.h"
#include "DemoApp.h"
#include "HomeCards.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QQmlApplicationEngine>
#include <QQmlExpression>
#include <QQuickItem>
#include <QQuickWindow>

#include <gtest/gtest.h>

#include <functional>

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

// What the cards show in the demo: the card (its objectName) and one text it shows whole. A new
// card adds its rows here.
struct Shown
{
    const char *card;
    QString text;
};
const QList<Shown> kShown {
    { "heroCard", QStringLiteral("Phoenix, Arizona") },
    { "heroCard", QStringLiteral("113°") },
    { "heroCard", QStringLiteral("Feels like 110° · H:115° L:91°") },
    { "briefingCard", QStringLiteral("MERRIN VALE") },
    { "briefingCard", QStringLiteral("METEOROLOGIST · THE BRIEFING") },
    { "heroCard", QStringLiteral("OVERCAST") },
    { "heroCard", QStringLiteral("DEW POINT") },
    { "heroCard", QStringLiteral("60° · Comfortable") },
    { "heroCard", QStringLiteral("WIND") },
    { "heroCard", QStringLiteral("15 mph SE") },
    { "heroCard", QStringLiteral("HUMIDITY") },
    { "heroCard", QStringLiteral("19%") },
    { "heroCard", QStringLiteral("UV INDEX") },
    { "alertBanner", QStringLiteral("NWS ALERT") },
    { "alertBanner", QStringLiteral("Excessive Heat Warning") },
    { "nowcastBanner", QStringLiteral("NOW") },
    { "nowcastBanner", QStringLiteral("+60 MIN") },
    { "nowcastBanner", QStringLiteral("Open-Meteo") },
    { "hourlyStrip", QStringLiteral("5P") },
    { "hourlyStrip", QStringLiteral("106°") },
    { "hourlyStrip", QStringLiteral("40%") },
    { "sevenDayOutlook", QStringLiteral("7 DAY FORECAST") },
    { "sevenDayOutlook", QStringLiteral("TODAY") },
    { "sevenDayOutlook", QStringLiteral("SAT") },
    { "sevenDayOutlook", QStringLiteral("116°") },
    { "weatherSchoolCard", QStringLiteral("WEATHER SCHOOL") },
    { "weatherSchoolCard", QStringLiteral("“40% doesn't mean what you think it means.”") },
    { "weatherSchoolCard", QStringLiteral("Seven things I wish everyone knew about forecasts") },
    { "attributionFooter", QStringLiteral("Weather data by Open-Meteo") },
    { "attributionFooter", QStringLiteral("CC BY 4.0") },
    { "attributionFooter", QStringLiteral("Alerts and bulletins by the National Weather Service") },
    { "attributionFooter", QStringLiteral("Storm outlooks by the Storm Prediction Center") },
    { "briefingCard", QStringLiteral("113 degrees now, with a dusty, gusty storm arriving a little after 5 PM.") },
    { "briefingCard", kBriefing },
    { "briefingCard", QStringLiteral("Listen") },
    { "briefingCard", QStringLiteral("ASK MERRIN") },
    // The suggested question, as the Ask field's placeholder.
    { "briefingCard", QStringLiteral("Will the storm cool things down tonight?") },
};

void collectTexts(const QQuickItem *item, QStringList &texts)
{
    if (!item->isVisible() || item->opacity() == 0.0) {
        return;
    }
    if (const QVariant text = item->property("text"); text.typeId() == QMetaType::QString) {
        texts.append(text.toString());
    }
    for (const QQuickItem *child : item->childItems()) {
        collectTexts(child, texts);
    }
}

// The first item of that name under the item, through the visual tree (which, unlike the object
// tree, holds what a Repeater makes).
QQuickItem *findItem(QQuickItem *item, const QString &name)
{
    if (item->objectName() == name) {
        return item;
    }
    for (QQuickItem *child : item->childItems()) {
        if (QQuickItem *found = findItem(child, name)) {
            return found;
        }
    }
    return nullptr;
}

class HomeScreenTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        root = makeSilentDemo().release();
        // Past the voice introduction, which the demo shows once over its first forecast.
        root->settings().setSeenVoiceIntro(true);
        loaded = root->load() && test_support::spinUntil([] {
            return root->home().state() == HomeViewModel::State::Cards && root->model().briefing()
                && !root->model().forecastLoading() && laterCardsMade(root->window());
        });
    }
    static void TearDownTestSuite()
    {
        delete root;
        root = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(loaded) << "the demo's home screen did not come up"; }

    // The visible texts of a card; nothing when the card is not there.
    static QStringList textsOf(const char *card)
    {
        QStringList texts;
        if (const auto *item = findItem(root->window()->contentItem(), QString::fromLatin1(card))) {
            collectTexts(item, texts);
        }
        return texts;
    }

    static void expectEveryCardText()
    {
        for (const Shown &shown : kShown) {
            SCOPED_TRACE(shown.card);
            EXPECT_TRUE(textsOf(shown.card).contains(shown.text)) << shown.text.toStdString();
        }
    }

    static inline AppRoot *root = nullptr;
    static inline bool loaded = false;
};

TEST_F(HomeScreenTest, EachCardShowsTheScenario)
{
    EXPECT_EQ(root->window()->title(), QStringLiteral("Merrin Vale — Demo"));
    expectEveryCardText();
}

TEST_F(HomeScreenTest, EveryAppearanceShowsTheSameTextsAndIsSaved)
{
    // The Theme singleton, as Main.qml sees it.
    QQmlExpression themeLookup(qmlContext(root->window()), root->window(), QStringLiteral("Theme"));
    auto *theme = themeLookup.evaluate().value<QObject *>();
    ASSERT_NE(theme, nullptr);
    ASSERT_TRUE(QDir().mkpath(QStringLiteral(MERRIN_SCREENSHOT_DIR)));
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
            expectEveryCardText();
            const QImage shot = root->window()->grabWindow();
            ASSERT_FALSE(shot.isNull());
            EXPECT_TRUE(shot.save(QDir(QStringLiteral(MERRIN_SCREENSHOT_DIR)).filePath(name)));
        }
    }
    root->window()->resize(size);
}

TEST_F(HomeScreenTest, AnAlertOpensToWhatItSaysAndWhen)
{
    QQuickItem *banner = findItem(root->window()->contentItem(), QStringLiteral("alertBanner"));
    ASSERT_NE(banner, nullptr);
    EXPECT_FALSE(textsOf("alertBanner").contains(QStringLiteral("Fri 10:00 AM")));
    banner->setProperty("expanded", true);
    test_support::spin(20ms);
    const QStringList texts = textsOf("alertBanner");
    ASSERT_TRUE(QDir().mkpath(QStringLiteral(MERRIN_SCREENSHOT_DIR)));
    const QSize size = root->window()->size();
    root->window()->resize(size.width(), 1600);
    test_support::spin(20ms);
    EXPECT_TRUE(root->window()->grabWindow().save(
        QDir(QStringLiteral(MERRIN_SCREENSHOT_DIR)).filePath(QStringLiteral("home-alert-open.png"))));
    root->window()->resize(size);
    banner->setProperty("expanded", false);
    for (const QString &shown : { QStringLiteral("BEGINS"), QStringLiteral("Fri 10:00 AM"), QStringLiteral("ENDS"),
             QStringLiteral("Sat 8:00 PM"),
             QStringLiteral("Excessive Heat Warning issued July 19 at 1:12PM MST until July 20 at 8:00PM MST by NWS "
                            "Phoenix AZ") }) {
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
    QQuickItem *button = findItem(root->window()->contentItem(), QStringLiteral("listenButton"));
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

} // namespace

TEST_F(HomeScreenTest, TheKeyboardFocusScrollsItsControlIntoView)
{
    QQuickItem *strip = findItem(root->window()->contentItem(), QStringLiteral("hourlyStrip"));
    ASSERT_NE(strip, nullptr);
    QQuickItem *focusable = nullptr;
    const std::function<void(QQuickItem *)> seek = [&](QQuickItem *item) {
        if (focusable == nullptr && item->activeFocusOnTab()) {
            focusable = item;
        }
        for (QQuickItem *child : item->childItems()) {
            seek(child);
        }
    };
    seek(strip);
    ASSERT_NE(focusable, nullptr);
    // In a window of the default size the strip lies below the fold.
    root->window()->resize(900, 640);
    test_support::spin(100ms);
    ASSERT_EQ(root->window()->contentItem()->height(), 640);
    root->window()->contentItem()->forceActiveFocus();
    focusable->forceActiveFocus(Qt::TabFocusReason);
    test_support::spin(50ms);
    const QPointF top = focusable->mapToItem(root->window()->contentItem(), QPointF(0, 0));
    EXPECT_GE(top.y(), 0);
    EXPECT_LE(top.y() + focusable->height(), root->window()->height());
}
