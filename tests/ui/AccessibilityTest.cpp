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
#include <QQmlApplicationEngine>
#include <QQmlComponent>
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

QString typeName(const QObject *object)
{
    static const QRegularExpression qmlSuffix(QStringLiteral("_QMLTYPE_\\d+$"));
    return QString::fromLatin1(object->metaObject()->className()).remove(qmlSuffix);
}

// The QML types from the window down to the item, to say which one failed.
QString where(QObject *object)
{
    QStringList path;
    for (auto *item = qobject_cast<QQuickItem *>(object); item != nullptr; item = item->parentItem()) {
        path.prepend(typeName(item));
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

// What is visible in the accessibility tree: its controls and every text it reads out.
struct Tree
{
    QList<Control> controls;
    QStringList texts;

    [[nodiscard]] bool reads(const QString &text) const
    {
        return std::any_of(texts.cbegin(), texts.cend(), [&](const QString &t) { return t.contains(text); });
    }
    [[nodiscard]] QStringList names() const
    {
        QStringList out;
        for (const Control &c : controls) {
            out.append(c.name);
        }
        return out;
    }
    [[nodiscard]] QObject *find(const QString &key) const
    {
        for (const Control &c : controls) {
            if (c.key == key) {
                return c.object;
            }
        }
        return nullptr;
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

// Counts the signals connected to it.
class Counter : public QObject
{
    Q_OBJECT
public:
    int count = 0;
public Q_SLOTS:
    void hit() { ++count; }
};

// Performs the control's toggle action when it has one, its press action otherwise, and says
// what went wrong: nothing when the control reported one click and, if checkable, changed state.
QString pressFails(QObject *object)
{
    QAccessibleInterface *node = QAccessible::queryAccessibleInterface(object);
    Counter clicks;
    if (!QObject::connect(object, SIGNAL(clicked()), &clicks, SLOT(hit()))) {
        return QStringLiteral("has no clicked() signal to report a click");
    }
    const QAccessible::State before = node->state();
    const QString action = node->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction())
        ? QAccessibleActionInterface::toggleAction()
        : QAccessibleActionInterface::pressAction();
    node->actionInterface()->doAction(action);
    QCoreApplication::processEvents();
    if (clicks.count != 1) {
        return action + QStringLiteral(" clicked it %1 times").arg(clicks.count);
    }
    if (before.checkable && node->state().checked == before.checked) {
        return action + QStringLiteral(" left it as it was");
    }
    return {};
}

// Notes the links opened while it lives, instead of opening them.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    explicit UrlRecorder(QList<QUrl> &opened)
        : m_opened(opened)
    {
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open");
    }
    ~UrlRecorder() override { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }
public Q_SLOTS:
    void open(const QUrl &url) { m_opened.append(url); }

private:
    QList<QUrl> &m_opened;
};

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
                if (!a.passWelcome()) {
                    return false;
                }
                QObject *school = treeOf(a.window()).find(keyOf(QAccessible::Button, QStringLiteral("Weather School")));
                QAccessible::queryAccessibleInterface(school)->actionInterface()->doAction(
                    QAccessibleActionInterface::pressAction());
                return spinUntil(
                    [&] { return treeOf(a.window()).names().contains(QStringLiteral("Close Weather School")); });
            },
            { "Close Weather School", "About Merrin Vale", "Confidence (C)", "Coverage (A)", "Day A · 50 × 80",
                "Day B · 80 × 50" },
            { "About Merrin Vale", "Confidence (C)", "Coverage (A)", "Day A · 50 × 80", "Day B · 80 × 50",
                "Close Weather School" } },
        { "the place search with saved places",
            [](RunningApp &a) {
                a.settings.toggleFavorite(place(QStringLiteral("Rome"), 41.9, 12.5));
                a.settings.addRecent(place(QStringLiteral("Turin"), 45.07, 7.69));
                if (!a.passWelcome()) {
                    return false;
                }
                // Opened as a screen reader would: the toolbar's Search, pressed.
                QObject *search = treeOf(a.window()).find(keyOf(QAccessible::Button, QStringLiteral("Search")));
                QAccessible::queryAccessibleInterface(search)->actionInterface()->doAction(
                    QAccessibleActionInterface::pressAction());
                // The sheet is made when first opened; its lists fill on the next layout.
                return spinUntil(
                    [&] { return treeOf(a.window()).names().contains(QStringLiteral("Clear recent places")); });
            },
            { "Search for a location", "Cancel", "Clear recent places", "Rome, Region, Country",
                "Turin, Region, Country" },
            { "Search for a location", "Cancel", "Clear recent places" } },
        { "a forecast that failed",
            [](RunningApp &a) {
                a.server.route(QStringLiteral("/v1/forecast"), FakeServer::json("busy", 503));
                if (!a.passWelcome()) {
                    return false;
                }
                a.model.select(place(QStringLiteral("Rome"), 41.9, 12.5));
                return spinUntil([&] { return a.home.state() == HomeViewModel::State::Failed; }) && a.settle();
            },
            { "Search", "Use my location", "Refresh", "Weather School", "Settings", "Retry" },
            { "Search", "Use my location", "Refresh", "Weather School", "Settings", "Retry" } },
        { "a forecast under an error",
            [](RunningApp &a) {
                if (!a.passWelcome()) {
                    return false;
                }
                a.model.select(place(QStringLiteral("Rome"), 41.9, 12.5));
                if (!spinUntil([&] { return a.home.state() == HomeViewModel::State::Cards; }) || !a.settle()) {
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
        const Tree tree = treeOf(app->window());
        for (const Control &control : tree.controls) {
            EXPECT_FALSE(control.name.isEmpty()) << "a control without a name: " << where(control.object).toStdString();
        }
        expectRead(app->window()->contentItem(), tree);
        for (const QString &name : stage.shows) {
            EXPECT_TRUE(tree.names().contains(name)) << "no control named " << name.toStdString();
        }

        // Each press in a fresh window at this stage, as a press may well leave it.
        for (const Control &control : tree.controls) {
            // (Qt 6.4 does not mark a disabled item's state; a click on one does nothing.)
            if (!hasClickAction(QAccessible::queryAccessibleInterface(control.object))
                || !qobject_cast<QQuickItem *>(control.object)->isEnabled()) {
                continue;
            }
            const std::unique_ptr<RunningApp> fresh = start(stage);
            ASSERT_TRUE(fresh);
            QObject *same = treeOf(fresh->window()).find(control.key);
            ASSERT_NE(same, nullptr) << control.key.toStdString();
            const QString failure = pressFails(same);
            EXPECT_TRUE(failure.isEmpty()) << "“" << control.name.toStdString() << "” (" << where(same).toStdString()
                                           << ") " << failure.toStdString();
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
        QStringList order;
        for (qsizetype i = 0; i < 2 * stage.tabs.size(); ++i) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QCoreApplication::sendEvent(app->window(), &press);
            QQuickItem *focused = app->window()->activeFocusItem();
            order.append(focused ? QAccessible::queryAccessibleInterface(focused)->text(QAccessible::Name) : QString());
        }
        // Where the cycle starts depends on what had the focus first.
        const qsizetype start = order.indexOf(stage.tabs.first());
        ASSERT_GE(start, 0) << order.join(QStringLiteral(", ")).toStdString();
        EXPECT_EQ(order.mid(start, stage.tabs.size()).join(u", ").toStdString(), stage.tabs.join(u", ").toStdString());
    }
}

TEST_F(AccessibilityTest, TheSettingsWindowIsNamedReadTabbedThroughAndPressable)
{
    // Links open in a browser: here they are only noted.
    QList<QUrl> opened;
    UrlRecorder recorder { opened };
    RunningApp app;
    ASSERT_NE(app.window(), nullptr);
    ASSERT_TRUE(app.passWelcome());
    QMetaObject::invokeMethod(app.window(), "openSettings", Q_ARG(bool, false));
    auto *settings = app.window()->findChild<QQuickWindow *>(QStringLiteral("settingsWindow"));
    ASSERT_NE(settings, nullptr);
    ASSERT_TRUE(spinUntil([&] { return settings->isExposed(); }));

    const Tree tree = treeOf(settings);
    for (const Control &control : tree.controls) {
        EXPECT_FALSE(control.name.isEmpty()) << "a control without a name: " << where(control.object).toStdString();
    }
    expectRead(settings->contentItem(), tree);

    // Tab reaches every control (the scroll bar is dragged, not focused).
    QSet<QString> reached;
    for (qsizetype i = 0; i < 2 * tree.controls.size(); ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(settings, &press);
        QQuickItem *focused = settings->activeFocusItem();
        QAccessibleInterface *node = focused ? QAccessible::queryAccessibleInterface(focused) : nullptr;
        ASSERT_NE(node, nullptr) << "Tab went to " << (focused ? where(focused).toStdString() : "nothing");
        reached.insert(node->text(QAccessible::Name));
    }
    for (const Control &control : tree.controls) {
        if (qobject_cast<QQuickItem *>(control.object)->isEnabled()
            && QAccessible::queryAccessibleInterface(control.object)->role() != QAccessible::ScrollBar) {
            EXPECT_TRUE(reached.contains(control.name)) << "Tab never reaches " << control.name.toStdString();
        }
    }

    // Every press clicks, the choice already made aside (pressing it changes nothing).
    for (const Control &control : tree.controls) {
        QAccessibleInterface *node = QAccessible::queryAccessibleInterface(control.object);
        if (!hasClickAction(node) || !qobject_cast<QQuickItem *>(control.object)->isEnabled()
            || (node->state().checkable && node->state().checked && node->role() == QAccessible::RadioButton)) {
            continue;
        }
        const QString failure = pressFails(control.object);
        EXPECT_TRUE(failure.isEmpty()) << "“" << control.name.toStdString() << "” ("
                                       << where(control.object).toStdString() << ") " << failure.toStdString();
    }
    EXPECT_TRUE(opened.contains(QUrl(QStringLiteral("https://console.anthropic.com/settings/keys"))));
    EXPECT_TRUE(app.settle());
}

TEST_F(AccessibilityTest, TheSharedControlsAreNamedAndClickOnTheirActions)
{
    // What the screens are built from, the switch, the link and the key field among them.
    const QList<std::pair<QString, QVariantMap>> made {
        { QStringLiteral("AppButton"), { { "text", "Button" } } },
        { QStringLiteral("SymbolButton"), { { "symbol", "star" }, { "label", "Symbol" } } },
        { QStringLiteral("AppItemDelegate"), { { "text", "Row" } } },
        { QStringLiteral("AppSwitch"), { { "text", "Switch" } } },
        { QStringLiteral("LinkText"), { { "text", "Link" } } },
        { QStringLiteral("AppTextField"), { { "label", "Key" }, { "echoMode", 2 /* Password */ } } },
    };
    QQmlEngine engine;
    QQuickWindow window;
    std::vector<std::unique_ptr<QObject>> items;
    for (const auto &[type, properties] : made) {
        QQmlComponent component(&engine, QUrl(QStringLiteral("qrc:/qt/qml/MerrinVale/%1.qml").arg(type)));
        items.emplace_back(component.createWithInitialProperties(properties));
        ASSERT_TRUE(items.back()) << component.errorString().toStdString();
        qobject_cast<QQuickItem *>(items.back().get())->setParentItem(window.contentItem());
    }
    window.show();

    const Tree tree = treeOf(&window);
    EXPECT_EQ(tree.names().join(u", ").toStdString(), "Button, Symbol, Row, Switch, Link, Key");
    QObject *keyField = tree.find(keyOf(QAccessible::EditableText, QStringLiteral("Key")));
    ASSERT_NE(keyField, nullptr);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(keyField)->state().passwordEdit)
        << "the key field is named and still a password field";
    for (const Control &control : tree.controls) {
        if (hasClickAction(QAccessible::queryAccessibleInterface(control.object))) {
            const QString failure = pressFails(control.object);
            EXPECT_TRUE(failure.isEmpty()) << control.name.toStdString() << " " << failure.toStdString();
        }
    }
}

#include "AccessibilityTest.moc"
