// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/VoiceIntro.h"

VoiceIntro::VoiceIntro(SettingsStore *settings, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
{ }

void VoiceIntro::setSettings(SettingsStore *settings)
{
    if (m_settings != settings) {
        m_settings = settings;
        Q_EMIT settingsChanged();
    }
}

void VoiceIntro::close()
{
    if (m_settings) {
        m_settings->setSeenVoiceIntro(true);
    }
    Q_EMIT dismissed();
}

void VoiceIntro::accept()
{
    // Read before dismissing: what the button offered is what it does.
    const bool withoutKey = !m_settings || !m_settings->hasGoogleApiKey();
    close();
    if (withoutKey) {
        Q_EMIT openSettingsRequested();
    }
}
