// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AppBridge.h"

#include "app/AppModel.h"

#include <QJSEngine>
#include <QQmlEngine>

namespace {
AppBridge *g_instance = nullptr;
}

AppBridge::AppBridge(AppModel &model, MerrinValeApp &app, HomeViewModel &home, PlaceSearchViewModel &search,
    BriefingViewModel &briefing, SpokenBriefing &spoken, BriefingAudioPlayer &player, QObject *parent)
    : QObject(parent)
    , m_model(&model)
    , m_app(&app)
    , m_home(&home)
    , m_search(&search)
    , m_briefing(&briefing)
    , m_spoken(&spoken)
    , m_player(&player)
{ }

AppBridge::~AppBridge()
{
    if (g_instance == this) {
        g_instance = nullptr;
    }
}

SettingsStore *AppBridge::settings() const
{
    return m_model->settings();
}

void AppBridge::setInstance(AppBridge *bridge)
{
    g_instance = bridge;
}

AppBridge *AppBridge::create(QQmlEngine *, QJSEngine *)
{
    // None in an engine that only shows single components (QML then reports App as missing).
    if (g_instance == nullptr) {
        return nullptr;
    }
    // The application keeps ownership; the engine must not delete it.
    QJSEngine::setObjectOwnership(g_instance, QJSEngine::CppOwnership);
    return g_instance;
}
