#pragma once
// Reader of cursor files: the animated format (RIFF "ACON": an "anih" header, optional "rate" and
// "seq " chunks, and a "fram" list of "icon" chunks, each a cursor or icon file) and a single cursor
// or icon file. Hot spots come from each frame's cursor directory entry; an icon frame has its hot
// spot in the middle.
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>

#include <optional>

namespace lumoria::platform {

struct CursorFrame {
    QImage image;
    QPoint hotSpot;
};

struct CursorFileData {
    QList<CursorFrame> frames;
    // One entry per step of the animation: which frame shows, and for how long in jiffies (1/60 s).
    QList<int> sequence;
    QList<int> rates;
};

// Reads an animated cursor, or a single cursor or icon (one frame, one step). Returns nothing for
// data that is not a valid cursor file (a truncated chunk, a step that names a missing frame, a
// frame that cannot be decoded).
std::optional<CursorFileData> readCursorData(const QByteArray& data);
std::optional<CursorFileData> readCursorFile(const QString& path);

} // namespace lumoria::platform
