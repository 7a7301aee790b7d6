// SPDX-License-Identifier: GPL-3.0-or-later
#include "voice/WavWriter.h"

#include <QtEndian>

#include <limits>

namespace voice {
namespace {

void appendU32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void appendU16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

} // namespace

std::optional<QByteArray> wavFromPcm(const QByteArray &pcm, qint64 sampleRate, int channels)
{
    constexpr int bitsPerSample = 16;
    constexpr qint64 maxU32 = std::numeric_limits<quint32>::max();
    const qint64 blockAlign = qint64(channels) * bitsPerSample / 8;
    if (channels < 1 || channels > 0xFFFF || sampleRate < 1 || sampleRate * blockAlign > maxU32
        || qint64(pcm.size()) + 36 > maxU32) {
        return std::nullopt;
    }
    QByteArray out;
    out.reserve(44 + pcm.size());
    out.append("RIFF", 4);
    appendU32(out, quint32(pcm.size() + 36));
    out.append("WAVEfmt ", 8);
    appendU32(out, 16);
    appendU16(out, 1);
    appendU16(out, quint16(channels));
    appendU32(out, quint32(sampleRate));
    appendU32(out, quint32(sampleRate * blockAlign));
    appendU16(out, quint16(blockAlign));
    appendU16(out, bitsPerSample);
    out.append("data", 4);
    appendU32(out, quint32(pcm.size()));
    out.append(pcm);
    return out;
}

} // namespace voice
