// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The whole app in demo mode for the screen tests, with a silent sound and voice in place of the
// desktop's.
#include "main/AppRoot.h"

#include "FakeAudio.h"

#include <memory>

inline std::unique_ptr<AppRoot> makeSilentDemo()
{
    LaunchOptions demo;
    demo.demo = true;
    demo.audio = [] { return std::make_unique<FakeAudioOutput>(); };
    demo.speech = [] { return std::make_unique<FakeSpeechEngine>(); };
    return std::make_unique<AppRoot>(demo);
}
