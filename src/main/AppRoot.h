// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/Endpoints.h"

#include <QDateTime>

#include <QCoroTask>

#include <functional>
#include <memory>
#include <optional>

class AppModel;
class AudioOutput;
class SpeechEngine;
class BriefingAudioPlayer;
class HomeViewModel;
class NotificationService;
class QQmlApplicationEngine;
class QQuickWindow;
class SettingsStore;

// What one run of merrin-vale is asked to be.
struct LaunchOptions
{
    Endpoints endpoints = Endpoints::production();
    std::optional<QDateTime> start; // where the clock starts (it runs on); the system's time without it
    // The recorded scenario, answered in-process: no socket is opened, and the user's settings
    // and keyring are neither read nor written.
    bool demo = false;
    // The desktop's sound and voice; tests put silent ones in their place. Empty: the real ones.
    std::function<std::unique_ptr<AudioOutput>()> audio;
    std::function<std::unique_ptr<SpeechEngine>()> speech;
    // For a run that shows the window: its QML is read and compiled on the engine's own thread
    // while the rest of the app is built.
    bool preloadWindow = false;
};

// The whole application of one run: clock, settings and keys, network, services, the app model,
// the views QML reads and the main window. merrin-vale builds one from its command line; the
// screen test builds one in demo mode. Needs a QGuiApplication.
class AppRoot
{
public:
    // Throws std::runtime_error, saying why, when the demo cannot be set up.
    explicit AppRoot(const LaunchOptions &options);
    ~AppRoot();
    AppRoot(const AppRoot &) = delete;
    AppRoot &operator=(const AppRoot &) = delete;

    // Loads the main window, which starts the app. False when QML could not build it.
    bool load();

    // Shows and raises the main window, loading it first when the app runs without one.
    void raise();
    // Takes the app's name on the session bus and answers there (InstanceService). False in
    // the demo, with no session bus, or when another process holds the name.
    bool registerInstance();
    // What the desktop actions ask for: play or prepare the spoken briefing.
    [[nodiscard]] QCoro::Task<> playBriefing();
    [[nodiscard]] QCoro::Task<bool> prepareBriefing();

    [[nodiscard]] QQuickWindow *window() const;
    [[nodiscard]] QQmlApplicationEngine &engine() const;
    [[nodiscard]] AppModel &model() const;
    [[nodiscard]] HomeViewModel &home() const;
    [[nodiscard]] SettingsStore &settings() const;
    [[nodiscard]] BriefingAudioPlayer &player() const;
    [[nodiscard]] NotificationService &notifications() const;

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};
