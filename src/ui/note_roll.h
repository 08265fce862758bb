#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/cnotes.h"

// The note view's geometry, apart from its painting: where each note of a
// ringtone lies on a grid of time across and pitch up, which note lies under
// a point, and which note sounds a given time into the played sound.
namespace tw {

// Pitches count semitones, 12 to an octave, with the c of RTTTL octave 5
// (the composer's first octave, 523 Hz) at 72.
inline constexpr int ComposerLowestPitch = 72;    // c of RTTTL octave 5
inline constexpr int ComposerHighestPitch = 107;  // b of RTTTL octave 7

// One note or pause as the view draws it.
struct RollNote {
    std::optional<int> pitch;  // none for a pause and for a note without a pitch
    bool pause = false;
    double start = 0.0;   // in whole notes from the ringtone's start
    double length = 0.0;  // in whole notes, the dot counted
    bool dotted = false;
    std::string problem;  // the report's line for the note; empty when it has none
    std::string text;     // the note in RTTTL, for its tooltip
};

// The ringtone's notes in order. A note whose length cannot be known is
// drawn a quarter long, one whose pitch cannot be known on the lowest row;
// both carry their problem.
std::vector<RollNote> RollNotesOf(const CNotes& ringtone);

// The pitch of a tone of `hertz`, to the nearest semitone.
int PitchOfFrequency(double hertz);
// "c5", "f#6": a pitch's name in RTTTL's letters and octaves.
std::string PitchName(int pitch);

// The narrowest a whole note is drawn, in device-independent pixels: a
// sixteenth stays 6 pixels wide. A ringtone too long to fit the view at
// this scale scrolls across instead of being squeezed.
inline constexpr double LeastPixelsPerWhole = 96.0;

// The grid of one view size. The rows run from a little below the lowest
// pitch to a little above the highest (an octave at least); time runs from
// the end of the left gutter, where the octaves are named, to the right edge,
// the whole ringtone fitted to it unless that would draw its notes narrower
// than LeastPixelsPerWhole; then the time is scrolled `scrolled` pixels to
// the left (held between 0 and ScrollRange).
class NoteRoll {
public:
    // `notes` must outlive the roll.
    NoteRoll(const std::vector<RollNote>& notes, QSizeF size, double gutter, double scrolled = 0.0);
    NoteRoll(std::vector<RollNote>&&, QSizeF, double, double = 0.0) = delete;

    int LowestPitch() const { return lowest_; }
    int HighestPitch() const { return highest_; }
    double RowHeight() const { return rowHeight_; }
    double Left() const { return gutter_; }
    double PixelsPerWhole() const { return pixelsPerWhole_; }
    // How far the time can be scrolled: 0 when the whole ringtone fits.
    double ScrollRange() const { return scrollRange_; }
    double Scrolled() const { return scrolled_; }

    // The top of the row of `pitch`.
    double RowTop(int pitch) const;
    // The rows from `low` to `high` pitch, across the time area; empty when
    // none of them is shown.
    QRectF PitchBand(int low, int high) const;
    // The bar of note `index`: its length across and its pitch's row; none
    // for a pause.
    std::optional<QRectF> NoteRect(std::size_t index) const;
    // The time the note `index` takes, the grid's whole height.
    QRectF Column(std::size_t index) const;
    // The note whose time holds `point`; none left of the first or right of
    // the last.
    std::optional<std::size_t> NoteAt(QPointF point) const;
    // The notes whose time lies at least in part between `left` and `right`
    // across: the first of them and one past the last.
    std::pair<std::size_t, std::size_t> NotesAcross(double left, double right) const;
    // Where the time `fraction` (0 to 1) through note `index` lies across.
    double TimeX(std::size_t index, double fraction) const;

    // The scroll nearest the present one that shows the whole time of note
    // `index` (its start when it is wider than the view).
    double ScrollShowing(std::size_t index) const;
    // The scroll that follows a play: the present one while note `index`
    // is wholly shown, else the one that puts its start at the left, so
    // that the view turns a page at a time.
    double ScrollPaging(std::size_t index) const;

private:
    double TimeAt(double x) const;
    double TimeWidth() const { return std::max(size_.width() - gutter_, 1.0); }

    const std::vector<RollNote>& notes_;
    QSizeF size_;
    double gutter_;
    int lowest_ = ComposerLowestPitch;
    int highest_ = ComposerLowestPitch + 11;
    double rowHeight_ = 1.0;
    double pixelsPerWhole_ = 1.0;
    double scrollRange_ = 0.0;
    double scrolled_ = 0.0;
};

// The note sounding `seconds` into the sound, and how far through it it is
// (0 to 1), from the note starts of NoteStartSeconds (one more than the
// notes); none before the first note and after the sound's end.
struct Sounding {
    std::size_t index = 0;
    double fraction = 0.0;
    bool operator==(const Sounding&) const = default;
};
std::optional<Sounding> SoundingAt(const std::vector<double>& starts, double seconds);

}  // namespace tw
