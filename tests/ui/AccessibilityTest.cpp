// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as a screen reader finds it, over the real app model with every service
// pointed at a local server: every control has a name, every text on screen is in the tree,
// every control's accessible press (or toggle) action does what a click does, and Tab goes
// through the toolbar, then the screen.

#include "Await.h"
#include "FakeServer.h"
#include "HomeCards.h"
#include "MainWindowWorld.h"

#include <QAccessible>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QtQml/QQmlExtensionPlugin>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

Q_IMPORT_QML_PLUGIN(MerrinValePlugin)

using test_support::spinUntil;

namespace {

// The QML types from the window down to the item, to say which one failed.
QString where(QObject *object)
{
    static const QRegularExpression qmlSuffix(QStringLiteral("_QMLTYPE_\\d+$"));
    QStringList path;
    for (auto *item = qobject_cast<QQuickItem *>(object); item != nullptr; item = item->parentItem()) {
        path.prepend(QString::fromLatin1(item->metaObject()->className()).remove(qmlSuffix));
    }
    return path.join(QStringLiteral(" > "));
}

bool hasClickAction(QAccessibleInterface *node)
{
    const QStringList actions = node->actionInterface() ? node->actionInterface()->actionNames() : QStringList();
    return actions.contains(QAccessibleActionInterface::pressAction())
        || actions.contains(QAccessibleActionInterface::toggleAction());
}

// A control is what takes the focus or acts; texts are read, not operated.
bool isControl(QAccessibleInterface *node)
{
    static const QList<QAccessible::Role> roles { QAccessible::Button, QAccessible::CheckBox, QAccessible::RadioButton,
        QAccessible::Link, QAccessible::EditableText, QAccessible::ComboBox, QAccessible::Slider };
    return roles.contains(node->role()) || hasClickAction(node)
        || (node->state().focusable && node->role() != QAccessible::StaticText);
}

// A control a click acts on now (Qt 6.4 does not mark a disabled item's state; a click on one does nothing).
bool pressable(QObject *object)
{
    const auto *item = qobject_cast<QQuickItem *>(object);
    return item != nullptr && item->isEnabled() && hasClickAction(QAccessible::queryAccessibleInterface(object));
}

struct Control
{
    QPointer<QObject> object;
    QString name;
    QString key; // the same control in another copy of the window
};

QString keyOf(QAccessible::Role role, const QString &name, int repeat = 0)
{
    return QStringLiteral("%1/%2#%3").arg(role).arg(name).arg(repeat);
}

// What is visible in the accessibility tree: its controls (their names, and each by its key) and
// every text it reads out.
struct Tree
{
    QList<Control> controls;
    QStringList names;
    QHash<QString, QPointer<QObject>> byKey;
    QStringList texts;

    [[nodiscard]] bool reads(const QString &text) const
    {
        return std::any_of(texts.cbegin(), texts.cend(), [&](const QString &t) { return t.contains(text); });
    }
};

void collect(QAccessibleInterface *node, Tree &tree, QHash<QString, int> &repeats)
{
    if (node == nullptr || node->state().invisible) {
        return;
    }
    for (const auto kind : { QAccessible::Name, QAccessible::Description, QAccessible::Value }) {
        if (const QString text = node->text(kind); !text.isEmpty()) {
            tree.texts.append(text);
        }
    }
    if (isControl(node)) {
        const QString name = node->text(QAccessible::Name);
        tree.controls.append({ node->object(), name, keyOf(node->role(), name, repeats[keyOf(node->role(), name)]++) });
        tree.names.append(name);
        tree.byKey.insert(tree.controls.last().key, node->object());
    }
    for (int i = 0; i < node->childCount(); ++i) {
        collect(node->child(i), tree, repeats);
    }
}

// Walked from the window: its content item has no accessible interface of its own.
Tree treeOf(QQuickWindow *window)
{
    Tree tree;
    QHash<QString, int> repeats;
    collect(QAccessible::queryAccessibleInterface(window), tree, repeats);
    return tree;
}

// Every text the window draws must be in the tree (as its words, when it is marked up).
void expectRead(QQuickItem *item, const Tree &tree)
{
    if (!item->isVisible()) {
        return;
    }
    for (const QMetaObject *m = item->metaObject(); m != nullptr; m = m->superClass()) {
        if (qstrcmp(m->className(), "QQuickText") == 0) {
            QString text = item->property("text").toString();
            if (item->property("textFormat").toInt() == Qt::RichText
                || item->property("textFormat").toInt() == 4 /* Text.StyledText */) {
                text = QTextDocumentFragment::fromHtml(text).toPlainText();
            }
            EXPECT_TRUE(text.isEmpty() || tree.reads(text))
                << "the accessibility tree does not read “" << text.toStdString() << "” (" << where(item).toStdString()
                << ")";
        }
    }
    for (QQuickItem *child : item->childItems()) {
        expectRead(child, tree);
    }
}

// The window's tree, once every control in it is found named and every text it draws read.
Tree checkedTree(QQuickWindow *window)
{
    const Tree tree = treeOf(window);
    for (const Control &control : tree.controls) {
        EXPECT_FALSE(control.name.isEmpty()) << "a control without a name: " << where(control.object).toStdString();
    }
    expectRead(window->contentItem(), tree);
    return tree;
}

// The name of what has the focus after each press of Tab, in parentheses when it has none.
QStringList tabOrder(QQuickWindow *window, qsizetype presses)
{
    QStringList order;
    for (qsizetype i = 0; i < presses; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &press);
        QQuickItem *focused = window->activeFocusItem();
        QAccessibleInterface *node = focused ? QAccessible::queryAccessibleInterface(focused) : nullptr;
        order.append(node ? node->text(QAccessible::Name) : QStringLiteral("(%1)").arg(where(focused)));
    }
    return order;
}

// Counts the clicks connected to it, and notes the links given to it to open.
class Recorder : public QObject
{
    Q_OBJECT
public:
    int clicks = 0;
    QList<QUrl> opened;
public Q_SLOTS:
    void hit() { ++clicks; }
    void open(const QUrl &url) { opened.append(url); }
};

// Performs the control's toggle action when it has one, its press action otherwise: the control
// reports one click and, if checkable, changes state.
void expectPressClicks(QObject *object)
{
    QAccessibleInterface *node = QAccessible::queryAccessibleInterface(object);
    const std::string what =
        "“" + node->text(QAccessible::Name).toStdString() + "” (" + where(object).toStdString() + ") ";
    Recorder clicks;
    ASSERT_TRUE(QObject::connect(object, SIGNAL(clicked()), &clicks, SLOT(hit())))
        << what << "has no clicked() signal to report a click";
    const QAccessible::State before = node->state();
    const QString action = node->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction())
        ? QAccessibleActionInterface::toggleAction()
        : QAccessibleActionInterface::pressAction();
    node->actionInterface()->doAction(action);
    QCoreApplication::processEvents();
    EXPECT_EQ(clicks.clicks, 1) << what << action.toStdString() << " clicks";
    EXPECT_TRUE(!before.checkable || bool(node->state().checked) != bool(before.checked))
        << what << action.toStdString() << " left it as it was";
}

// The application as merrin-vale builds it, every service pointed at a local server, with its
// window loaded as merrin-vale loads it.
struct RunningApp : MainWindowWorld
{
    RunningApp()
        : MainWindowWorld(QStringLiteral("org.merrinvale.MerrinVale.ui-tests"))
    {
        server.routeHandler(QStringLiteral("/v1/forecast"), [](const FakeServer::Request &) {
            return FakeServer::fromFile(QStringLiteral("openmeteo_forecast_synthetic_chicago_7day.json"));
        });
        load();
    }

    // Waits until nothing is loading.
    bool settle()
    {
        return spinUntil([this] {
            return !model.locationLoading() && !model.forecastLoading() && !model.briefingLoading()
                && !search.searching() && (home.state() != HomeViewModel::State::Cards || laterCardsMade(window()));
        });
    }

    // Closes the welcome view, which starts the model: it looks for the device's place and finds
    // none.
    bool passWelcome()
    {
        if (!spinUntil([this] { return app.showWelcome(); })) {
            return false;
        }
        app.closeWelcome();
        return spinUntil([this] { return !model.locationErrorText().isEmpty(); }) && settle();
    }

    // Presses the button of that name as a screen reader would; true once a control named
    // `appears` shows.
    bool press(const QString &button, const QString &appears)
    {
        QObject *control = treeOf(window()).byKey.value(keyOf(QAccessible::Button, button));
        if (control == nullptr) {
            return false;
        }
        QAccessible::queryAccessibleInterface(control)->actionInterface()->doAction(
            QAccessibleActionInterface::pressAction());
        return spinUntil([&] { return treeOf(window()).names.contains(appears); });
    }

    // Picks a place and waits until the home screen shows `state` and nothing loads.
    bool show(const SavedLocation &place, HomeViewModel::State state)
    {
        model.select(place);
        return spinUntil([&] { return home.state() == state; }) && settle();
    }
};

SavedLocation place(const QString &name, double lat, double lon)
{
    return { name, QStringLiteral("Region"), QStringLiteral("Country"), lat, lon, QStringLiteral("Europe/Rome") };
}

// One state of the window, reached from a fresh start.
struct Stage
{
    const char *name;
    std::function<bool(RunningApp &)> reach;
    QStringList shows; // controls it must show, so that it is the stage meant
    QStringList tabs; // the controls Tab goes through, in turn
};

const QList<Stage> &stages()
{
    static const QList<Stage> all {
        { "the welcome view's first step",
            [](RunningApp &a) {
                // Up, with the focus on its button.
                return spinUntil([&] {
                    QQuickItem *focused = a.window()->activeFocusItem();
                    return a.app.showWelcome() && focused != nullptr
                        && QAccessible::queryAccessibleInterface(focused)->text(QAccessible::Name)
                        == QStringLiteral("Continue");
                });
            },
            { "Search", "Use my location", "Refresh", "Weather School", "Continue" }, { "Continue" } },
        { "no place found", [](RunningApp &a) { return a.passWelcome(); },
            { "Search", "Use my location", "Refresh", "Weather School", "Settings", "Search for a location" },
            { "Search", "Use my location", "Weather School", "Settings", "Search for a location" } },
        { "Weather School",
            [](RunningApp &a) {
                return a.passWelcome()
                    && a.press(QStringLiteral("Weather School"), QStringLiteral("Close Weather School"));
            },
            { "Close Weather School", "About Merrin Vale", "Confidence (C)", "Coverage (A)", "Day A · 50 × 80",
                "Day B · 80 × 50" },
            { "About Merrin Vale", "Confidence (C)", "Coverage (A)", "Day A · 50 × 80", "Day B · 80 × 50",
                "Close Weather School" } },
        { "the place search with saved places",
            [](RunningApp &a) {
                a.settings.toggleFavorite(place(QStringLiteral("Rome"), 41.9, 12.5));
                a.settings.addRecent(place(QStringLiteral("Turin"), 45.07, 7.69));
                // The sheet is made when first opened; its lists fill on the next layout.
                return a.passWelcome() && a.press(QStringLiteral("Search"), QStringLiteral("Clear recent places"));
            },
            { "Search for a location", "Cancel", "Clear recent places", "Rome, Region, Country",
                "Turin, Region, Country" },
            { "Search for a location", "Cancel", "Clear recent places" } },
        { "a forecast that failed",
            [](RunningApp &a) {
                a.server.route(QStringLiteral("/v1/forecast"), FakeServer::json("busy", 503));
                return a.passWelcome()
                    && a.show(place(QStringLiteral("Rome"), 41.9, 12.5), HomeViewModel::State::Failed);
            },
            { "Search", "Use my location", "Refresh", "Weather School", "Settings", "Retry" },
            { "Search", "Use my location", "Refresh", "Weather School", "Settings", "Retry" } },
        { "a forecast under an error",
            [](RunningApp &a) {
                if (!a.passWelcome()
                    || !a.show(place(QStringLiteral("Rome"), 41.9, 12.5), HomeViewModel::State::Cards)) {
                    return false;
                }
                a.model.useCurrentLocationNow(); // fails, and says so above the cards
                return a.settle();
            },
            { "Search", "Use my location", "Refresh", "Weather School", "Settings", "Dismiss", "Add to favourites",
                "About Merrin Vale", "Listen to the briefing", "Question for Merrin", "Send",
                "Weather School with Merrin Vale" },
            { "Search", "Use my location", "Refresh", "Weather School", "Settings", "Dismiss", "Add to favourites",
                "About Merrin Vale", "Listen to the briefing", "Question for Merrin", "Send" } },
    };
    return all;
}

class AccessibilityTest : public ::testing::Test
{
protected:
    // As with a screen reader running: the controls set up their roles and names as they are
    // created. Only the platform can switch accessibility on, and offscreen nothing does.
    static void SetUpTestSuite()
    {
        QQuickStyle::setStyle(QStringLiteral("Basic"));
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    }

    static std::unique_ptr<RunningApp> start(const Stage &stage)
    {
        auto app = std::make_unique<RunningApp>();
        if (app->window() == nullptr || !stage.reach(*app)) {
            ADD_FAILURE() << "the window did not reach " << stage.name;
            return nullptr;
        }
        return app;
    }
};

} // namespace

TEST_F(AccessibilityTest, EveryControlIsNamedEveryTextIsReadAndEveryPressClicks)
{
    for (const Stage &stage : stages()) {
        SCOPED_TRACE(stage.name);
        const std::unique_ptr<RunningApp> app = start(stage);
        ASSERT_TRUE(app);
        const Tree tree = checkedTree(app->window());
        for (const QString &name : stage.shows) {
            EXPECT_TRUE(tree.names.contains(name)) << "no control named " << name.toStdString();
        }

        // Each press in a fresh window at this stage, as a press may well leave it.
        for (const Control &control : tree.controls) {
            if (!pressable(control.object)) {
                continue;
            }
            const std::unique_ptr<RunningApp> fresh = start(stage);
            ASSERT_TRUE(fresh);
            QObject *same = treeOf(fresh->window()).byKey.value(control.key);
            ASSERT_NE(same, nullptr) << control.key.toStdString();
            expectPressClicks(same);
            // What the press started (a look-up of the device's place) ends before the app goes: a
            // request still running would resume against services already torn down.
            EXPECT_TRUE(fresh->settle());
        }
    }
}

TEST_F(AccessibilityTest, TabGoesThroughTheToolbarThenTheScreen)
{
    for (const Stage &stage : stages()) {
        SCOPED_TRACE(stage.name);
        const std::unique_ptr<RunningApp> app = start(stage);
        ASSERT_TRUE(app);
        const QStringList order = tabOrder(app->window(), 2 * stage.tabs.size());
        // Where the cycle starts depends on what had the focus first.
        const qsizetype start = order.indexOf(stage.tabs.first());
        ASSERT_GE(start, 0) << order.join(QStringLiteral(", ")).toStdString();
        EXPECT_EQ(order.mid(start, stage.tabs.size()).join(u", ").toStdString(), stage.tabs.join(u", ").toStdString());
    }
}

TEST_F(AccessibilityTest, TheSettingsWindowIsNamedReadTabbedThroughAndPressable)
{
    Recorder links; // links open in a browser: here they are only noted
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &links, "open");
    RunningApp app;
    ASSERT_NE(app.window(), nullptr);
    ASSERT_TRUE(app.passWelcome());
    QMetaObject::invokeMethod(app.window(), "openSettings", Q_ARG(bool, false));
    auto *settings = app.window()->findChild<QQuickWindow *>(QStringLiteral("settingsWindow"));
    ASSERT_NE(settings, nullptr);
    ASSERT_TRUE(spinUntil([&] { return settings->isExposed(); }));
    const Tree tree = checkedTree(settings);

    // Tab reaches every control (the scroll bar is dragged, not focused), and only controls.
    const QStringList reached = tabOrder(settings, 2 * tree.controls.size());
    for (const QString &name : reached) {
        EXPECT_FALSE(name.startsWith(u'(')) << "Tab went to " << name.toStdString();
    }
    for (const Control &control : tree.controls) {
        if (qobject_cast<QQuickItem *>(control.object)->isEnabled()
            && QAccessible::queryAccessibleInterface(control.object)->role() != QAccessible::ScrollBar) {
            EXPECT_TRUE(reached.contains(control.name)) << "Tab never reaches " << control.name.toStdString();
        }
    }

    // A key field keeps its name (checked above) and is still a password field.
    int keyFields = 0;
    for (const Control &control : tree.controls) {
        if (control.object->property("echoMode").toInt() == 2 /* TextInput.Password */) {
            ++keyFields;
            EXPECT_TRUE(QAccessible::queryAccessibleInterface(control.object)->state().passwordEdit)
                << control.name.toStdString();
        }
    }
    EXPECT_GT(keyFields, 0);

    // Every press clicks, the choice already made aside (pressing it changes nothing).
    for (const Control &control : tree.controls) {
        QAccessibleInterface *node = QAccessible::queryAccessibleInterface(control.object);
        if (pressable(control.object)
            && !(node->state().checkable && node->state().checked && node->role() == QAccessible::RadioButton)) {
            expectPressClicks(control.object);
        }
    }
    EXPECT_TRUE(links.opened.contains(QUrl(QStringLiteral("https://console.anthropic.com/settings/keys"))));
    EXPECT_TRUE(app.settle());
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

#include "AccessibilityTest.moc"
