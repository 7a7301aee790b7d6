// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <optional>

// What the desktop's media controls show for the briefing being played.
struct NowPlayingInfo
{
    QString title;
    QString artist;
    QString album;
    std::optional<qint64> durationMs; // files only
    std::optional<qint64> positionMs; // files only
    bool liveStream = false; // the system voice: no length, no position
    QString artworkPath; // an image file, or empty
    bool playing = false;
};

// The desktop's now-playing display and media keys.
class MediaControls
{
public:
    enum class Command { Play, Pause, PlayPause, Stop };
    // True when the command was carried out; false tells the desktop there was nothing to do.
    using Handler = std::function<bool(Command)>;
    // The position of the current item in milliseconds, read when the desktop asks.
    using PositionReader = std::function<std::optional<qint64>()>;

    virtual ~MediaControls() = default;
    virtual void setHandlers(Handler handler, PositionReader position) = 0;
    virtual void publish(const NowPlayingInfo &info) = 0;
    // Stopped, with nothing shown.
    virtual void clear() = 0;
};
