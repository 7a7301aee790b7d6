// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/AppModel.h"
#include "app/MerrinValeApp.h"
#include "app/SettingsStore.h"
#include "voice/BriefingAudioPlayer.h"
#include "voice/SpokenBriefing.h"

#include <QtQml/qqml.h>
#include <QtQml/qqmlregistration.h>

// The application's own objects, as QML sees them: their properties and methods are known to
// the QML tools, but QML never creates them.
struct ForeignAppModel
{
    Q_GADGET
    QML_FOREIGN(AppModel)
    QML_NAMED_ELEMENT(AppModel)
    QML_UNCREATABLE("The application owns the one model")
};

struct ForeignSettingsStore
{
    Q_GADGET
    QML_FOREIGN(SettingsStore)
    QML_NAMED_ELEMENT(SettingsStore)
    QML_UNCREATABLE("The application owns the settings")
};

struct ForeignMerrinValeApp
{
    Q_GADGET
    QML_FOREIGN(MerrinValeApp)
    QML_NAMED_ELEMENT(MerrinValeApp)
    QML_UNCREATABLE("The application owns its state")
};

struct ForeignSpokenBriefing
{
    Q_GADGET
    QML_FOREIGN(SpokenBriefing)
    QML_NAMED_ELEMENT(SpokenBriefing)
    QML_UNCREATABLE("The application owns the speech controller")
};

struct ForeignBriefingAudioPlayer
{
    Q_GADGET
    QML_FOREIGN(BriefingAudioPlayer)
    QML_NAMED_ELEMENT(BriefingAudioPlayer)
    QML_UNCREATABLE("The application owns the audio player")
};
