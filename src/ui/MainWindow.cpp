// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainWindow.h"

#include "app/SettingsStore.h"

#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QScreen>
#include <QUrl>

#include <algorithm>
#include <functional>

namespace {

// Calls back when the window is asked to close, before it hides.
class CloseWatcher : public QObject
{
public:
    CloseWatcher(QWindow &window, std::function<void()> onClose)
        : QObject(&window)
        , m_onClose(std::move(onClose))
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close) {
            m_onClose();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_onClose;
};

} // namespace

namespace {

const QUrl kMainWindow(QStringLiteral("qrc:/qt/qml/MerrinVale/Main.qml"));

// The screens draw their own looks over the Basic style, and their accessible actions are wired
// for its controls.
void useBasicStyle()
{
    if (QQuickStyle::name() != QLatin1String("Basic")) { // it cannot change once controls are loaded
        QQuickStyle::setStyle(QStringLiteral("Basic"));
    }
}

} // namespace

void loadMainWindow(QQmlApplicationEngine &engine)
{
    useBasicStyle();
    engine.load(kMainWindow);
}

void preloadMainWindow(QQmlApplicationEngine &engine)
{
    useBasicStyle();
    auto *component = new QQmlComponent(&engine, kMainWindow, QQmlComponent::Asynchronous, &engine);
    // The engine keeps what was compiled; the component itself is done with once it is.
    QObject::connect(component, &QQmlComponent::statusChanged, component, [component](QQmlComponent::Status status) {
        if (status != QQmlComponent::Loading) {
            component->deleteLater();
        }
    });
}

QRect fitWindowGeometry(const QRect &saved, const QList<QRect> &screens, const QSize &minimum)
{
    if (screens.isEmpty()) {
        return QRect(saved.topLeft(), saved.size().expandedTo(minimum));
    }
    const QRect *home = nullptr;
    qint64 bestArea = 0;
    for (const QRect &screen : screens) {
        const QRect overlap = screen.intersected(saved);
        if (const qint64 area = qint64(overlap.width()) * overlap.height(); area > bestArea) {
            bestArea = area;
            home = &screen;
        }
    }
    const QRect &screen = home != nullptr ? *home : screens.first();
    QRect fitted(saved.topLeft(), saved.size().boundedTo(screen.size()).expandedTo(minimum));
    if (home == nullptr) {
        fitted.moveCenter(screen.center());
        return fitted;
    }
    fitted.moveLeft(
        std::clamp(fitted.left(), screen.left(), std::max(screen.left(), screen.right() - fitted.width() + 1)));
    fitted.moveTop(
        std::clamp(fitted.top(), screen.top(), std::max(screen.top(), screen.bottom() - fitted.height() + 1)));
    return fitted;
}

void keepWindowPlacement(QQuickWindow &window, SettingsStore &settings)
{
    if (const std::optional<SettingsStore::WindowPlacement> saved = settings.windowPlacement()) {
        QList<QRect> screens;
        if (QScreen *primary = QGuiApplication::primaryScreen()) {
            screens.append(primary->availableGeometry());
        }
        for (const QScreen *screen : QGuiApplication::screens()) {
            if (screen != QGuiApplication::primaryScreen()) {
                screens.append(screen->availableGeometry());
            }
        }
        window.setGeometry(fitWindowGeometry(saved->geometry, screens, window.minimumSize()));
        if (saved->maximized) {
            window.showMaximized();
        }
    }

    // A maximized window keeps the size it had before, for when it is restored.
    QPointer<QQuickWindow> watched(&window);
    auto remember = [watched, &settings] {
        if (!watched || !watched->isVisible()) {
            return;
        }
        const bool maximized = watched->visibility() == QWindow::Maximized;
        QRect geometry = watched->geometry();
        if (maximized) {
            geometry = settings.windowPlacement().value_or(SettingsStore::WindowPlacement {}).geometry;
        }
        if (geometry.isValid()) {
            settings.setWindowPlacement({ geometry, maximized });
        }
    };
    new CloseWatcher(window, remember);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &window, remember);
}
