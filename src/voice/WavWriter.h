// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <optional>

namespace voice {

// A RIFF/WAVE file of 16-bit linear PCM: the 44-byte header, then the samples exactly as given.
// Nothing when the sizes or the rate do not fit the header's 32-bit fields.
[[nodiscard]] std::optional<QByteArray> wavFromPcm(const QByteArray &pcm, qint64 sampleRate, int channels = 1);

} // namespace voice
