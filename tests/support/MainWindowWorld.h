// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The real main window over the real app model, with every service pointed at a local server,
// settings in a temporary file and a keyring client of its own. Header-only, for GUI tests that
// link merrin_ui.
#include "app/AppModel.h"
#include "app/LiveSources.h"
#include "app/MerrinValeApp.h"
#include "ui/AppBridge.h"
#include "ui/BriefingViewModel.h"
#include "ui/HomeViewModel.h"
#include "ui/MainWindow.h"
#include "ui/PlaceSearchViewModel.h"
#include "voice/BriefingAudioPlayer.h"
#include "voice/GoogleTtsService.h"
#include "voice/SpokenBriefing.h"

#include "AppWorld.h"
#include "FakeAudio.h"

#include <QNetworkAccessManager>
#include <QQmlApplicationEngine>
#include <QQuickWindow>

struct MainWindowWorld : AppWorld
{
    explicit MainWindowWorld(const QString &keyringService)
        : AppWorld(keyringService)
    { }

    // Loads Main.qml; call once the world is ready (routes, keys) from the derived constructor.
    void load()
    {
        AppBridge::setInstance(&bridge);
        loadMainWindow(engine);
    }

    [[nodiscard]] QQuickWindow *window() const { return qobject_cast<QQuickWindow *>(engine.rootObjects().value(0)); }

    LiveSources sources { network, endpoints, defaults, clock };
    AppModel model { settings, sources, defaults, clock };
    MerrinValeApp app { model, settings };
    HomeViewModel home { model };
    PlaceSearchViewModel search { sources.geocoding(), model };
    BriefingViewModel briefing { model, clock };
    // The voice makes no sound in tests.
    FakeAudioOutput audio;
    FakeSpeechEngine speech;
    BriefingAudioPlayer player { audio, speech, nullptr, {} };
    GoogleTtsService tts { endpoints.gemini, clock, dir.path() };
    SpokenBriefing spoken { model, tts, player, [this] { return keys.readKey(KeyStore::kGoogleAccount); }, clock };
    AppBridge bridge { model, app, home, search, briefing, spoken, player };
    QQmlApplicationEngine engine;
};
