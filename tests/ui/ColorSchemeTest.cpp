// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's colour scheme, read from a portal on the test's private session bus: at start,
// live as the setting changes, from older portals, and with no portal at all.
#include "ui/ColorScheme.h"

#include "Await.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

namespace {

const QString service = QStringLiteral("org.freedesktop.portal.Desktop");
const QString path = QStringLiteral("/org/freedesktop/portal/desktop");
const QString appearance = QStringLiteral("org.freedesktop.appearance");

// A portal of version 2 or later: ReadOne() gives the value itself.
class FakePortal : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")

public:
    uint scheme = 0;

public Q_SLOTS:
    QDBusVariant ReadOne(const QString & /*group*/, const QString & /*key*/) { return QDBusVariant(scheme); }

Q_SIGNALS:
    void SettingChanged(const QString &group, const QString &key, const QDBusVariant &value);
};

// An older portal: only Read(), whose value comes wrapped in one more variant.
class OldPortal : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")

public:
    uint scheme = 0;

public Q_SLOTS:
    QDBusVariant Read(const QString & /*group*/, const QString & /*key*/)
    {
        return QDBusVariant(QVariant::fromValue(QDBusVariant(scheme)));
    }
};

// Counts the test's own flush signals.
class FlushListener : public QObject
{
    Q_OBJECT

public:
    static inline const QString interface = QStringLiteral("org.merrinvale.Test");
    int count = 0;

    FlushListener()
    {
        QDBusConnection::sessionBus().connect(QString(), path, interface, QStringLiteral("Flush"), this, SLOT(flush()));
    }

public Q_SLOTS:
    void flush() { ++count; }
};

class ColorSchemeTest : public ::testing::Test
{
protected:
    ~ColorSchemeTest() override
    {
        portalBus.unregisterObject(path);
        portalBus.unregisterService(service);
        QDBusConnection::disconnectFromBus(portalBus.name());
    }

    void publish(QObject *portal)
    {
        ASSERT_TRUE(portalBus.registerObject(
            path, portal, QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals));
        ASSERT_TRUE(portalBus.registerService(service)) << portalBus.lastError().message().toStdString();
    }

    // A scheme that has finished its first reading.
    static std::unique_ptr<ColorScheme> started()
    {
        auto scheme = std::make_unique<ColorScheme>(QDBusConnection::sessionBus());
        bool ready = false;
        QObject::connect(scheme.get(), &ColorScheme::ready, scheme.get(), [&ready] { ready = true; });
        EXPECT_TRUE(test_support::spinUntil([&ready] { return ready; }));
        return scheme;
    }

    QDBusConnection portalBus =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-portal"));
};

TEST_F(ColorSchemeTest, FollowsThePortalFromStartAndAsItChanges)
{
    FakePortal portal;
    portal.scheme = 1;
    publish(&portal);
    FlushListener listener; // listening before the scheme's first reading ends, so surely by then
    const auto scheme = started();
    EXPECT_EQ(scheme->preference(), ColorScheme::PreferDark);

    // A setting changed, its new value, and the preference then.
    const std::tuple<QString, QString, uint, ColorScheme::Preference> changes[] = {
        { appearance, QStringLiteral("color-scheme"), 2, ColorScheme::PreferLight },
        { appearance, QStringLiteral("accent-color"), 1, ColorScheme::PreferLight }, // another setting
        { QStringLiteral("org.gnome.desktop.interface"), QStringLiteral("color-scheme"), 1, ColorScheme::PreferLight },
        { appearance, QStringLiteral("color-scheme"), 1, ColorScheme::PreferDark },
        { appearance, QStringLiteral("color-scheme"), 0, ColorScheme::NoPreference },
        { appearance, QStringLiteral("color-scheme"), 7, ColorScheme::NoPreference }, // unknown value
    };
    for (const auto &[group, key, value, expected] : changes) {
        SCOPED_TRACE((group + u' ' + key + u' ' + QString::number(value)).toStdString());
        Q_EMIT portal.SettingChanged(group, key, QDBusVariant(value));
        // Signals from one sender arrive in order: once the flush is here, so is the change.
        const int before = listener.count;
        portalBus.send(QDBusMessage::createSignal(path, FlushListener::interface, QStringLiteral("Flush")));
        ASSERT_TRUE(test_support::spinUntil([&] { return listener.count > before; }));
        EXPECT_EQ(scheme->preference(), expected);
    }
}

TEST_F(ColorSchemeTest, ReadsOlderPortalsThroughRead)
{
    OldPortal portal;
    portal.scheme = 2;
    publish(&portal);
    EXPECT_EQ(started()->preference(), ColorScheme::PreferLight);
}

TEST_F(ColorSchemeTest, WithoutAPortalThereIsNoPreference)
{
    EXPECT_EQ(started()->preference(), ColorScheme::NoPreference);
}

} // namespace

#include "ColorSchemeTest.moc"
