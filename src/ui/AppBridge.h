// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/AppModel.h"
#include "app/MerrinValeApp.h"
#include "app/SettingsStore.h"
#include "ui/BriefingViewModel.h"
#include "ui/HomeViewModel.h"
#include "ui/PlaceSearchViewModel.h"
#include "voice/BriefingAudioPlayer.h"
#include "voice/SpokenBriefing.h"

#include <QObject>
#include <QtQml/qqmlregistration.h>

class QJSEngine;
class QQmlEngine;

// What QML sees of the application: the one model, its settings, the app state, the home
// screen's view, the briefing card's view, the place search, and the voice. The application owns all of them; QML only
// borrows.
class AppBridge : public QObject
{
    Q_OBJECT
    QML_NAMED_ELEMENT(App)
    QML_SINGLETON
    Q_PROPERTY(AppModel *model READ model CONSTANT)
    Q_PROPERTY(SettingsStore *settings READ settings CONSTANT)
    Q_PROPERTY(MerrinValeApp *app READ app CONSTANT)
    Q_PROPERTY(HomeViewModel *home READ home CONSTANT)
    Q_PROPERTY(PlaceSearchViewModel *search READ search CONSTANT)
    Q_PROPERTY(BriefingViewModel *briefing READ briefing CONSTANT)
    Q_PROPERTY(SpokenBriefing *spoken READ spoken CONSTANT)
    Q_PROPERTY(BriefingAudioPlayer *player READ player CONSTANT)

public:
    AppBridge(AppModel &model, MerrinValeApp &app, HomeViewModel &home, PlaceSearchViewModel &search,
        BriefingViewModel &briefing, SpokenBriefing &spoken, BriefingAudioPlayer &player, QObject *parent = nullptr);
    // Stops being the instance QML uses, so a later engine never gets a deleted one.
    ~AppBridge() override;

    [[nodiscard]] AppModel *model() const { return m_model; }
    [[nodiscard]] SettingsStore *settings() const;
    [[nodiscard]] MerrinValeApp *app() const { return m_app; }
    [[nodiscard]] HomeViewModel *home() const { return m_home; }
    [[nodiscard]] PlaceSearchViewModel *search() const { return m_search; }
    [[nodiscard]] BriefingViewModel *briefing() const { return m_briefing; }
    [[nodiscard]] SpokenBriefing *spoken() const { return m_spoken; }
    [[nodiscard]] BriefingAudioPlayer *player() const { return m_player; }

    // The instance QML uses; set by the application before the QML engine loads.
    static void setInstance(AppBridge *bridge);
    static AppBridge *create(QQmlEngine *engine, QJSEngine *scriptEngine);

private:
    AppModel *m_model;
    MerrinValeApp *m_app;
    HomeViewModel *m_home;
    PlaceSearchViewModel *m_search;
    BriefingViewModel *m_briefing;
    SpokenBriefing *m_spoken;
    BriefingAudioPlayer *m_player;
};
