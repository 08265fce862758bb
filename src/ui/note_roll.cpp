#include "ui/note_roll.h"

#include <algorithm>
#include <cmath>

namespace tw {
namespace {

constexpr double UnknownLength = 0.25;  // a quarter note
constexpr int PitchMargin = 2;          // rows shown beyond the highest and lowest note
constexpr int LeastRows = 12;

std::optional<int> PitchOf(const CNote& note, bool& pause) {
    const double hertz = note.SoundFrequency();  // throws for a note without a pitch
    pause = hertz == 0.0;
    if (pause) return std::nullopt;
    return PitchOfFrequency(hertz);
}

}  // namespace

int PitchOfFrequency(double hertz) {
    // 523 Hz, the composer's first c, is pitch 72.
    return static_cast<int>(std::lround(72.0 + 12.0 * std::log2(hertz / 523.2511306011972)));
}

std::string PitchName(int pitch) {
    static const char* const names[] = {"c", "c#", "d", "d#", "e", "f", "f#", "g", "g#", "a", "a#", "b"};
    const int octave = pitch >= 0 ? pitch / 12 - 1 : (pitch + 1) / 12 - 2;
    const int step = ((pitch % 12) + 12) % 12;
    return names[step] + std::to_string(octave);
}

std::vector<RollNote> RollNotesOf(const CNotes& ringtone) {
    std::vector<RollNote> notes;
    notes.reserve(ringtone.Notes().size());
    double time = 0.0;
    std::size_t position = 0;
    for (const CNote& note : ringtone) {
        ++position;
        RollNote roll;
        roll.start = time;
        roll.dotted = !note.RTTTLDotted().empty() || !note.ComposerDotted().empty();
        roll.text = note.RTTTLText();
        if (!note.Problem().empty()) roll.problem = note.ProblemLine(position, note.Problem());
        try {
            roll.pitch = PitchOf(note, roll.pause);
        } catch (const std::exception& e) {
            if (roll.problem.empty()) roll.problem = note.ProblemLine(position, e.what());
        }
        try {
            roll.length = note.SoundDuration();
        } catch (const std::exception& e) {
            roll.length = UnknownLength;
            if (roll.problem.empty()) roll.problem = note.ProblemLine(position, e.what());
        }
        if (!std::isfinite(roll.length) || roll.length <= 0.0) roll.length = UnknownLength;
        time += roll.length;
        notes.push_back(std::move(roll));
    }
    return notes;
}

NoteRoll::NoteRoll(const std::vector<RollNote>& notes, QSizeF size, double gutter, double scrolled)
    : notes_(notes), size_(size), gutter_(gutter) {
    std::optional<int> low, high;
    for (const RollNote& note : notes) {
        if (!note.pitch) continue;
        low = std::min(low.value_or(*note.pitch), *note.pitch);
        high = std::max(high.value_or(*note.pitch), *note.pitch);
    }
    if (low) {
        lowest_ = *low - PitchMargin;
        highest_ = *high + PitchMargin;
    }
    // Too narrow a range grows evenly, the extra row above.
    const int missing = LeastRows - (highest_ - lowest_ + 1);
    if (missing > 0) {
        lowest_ -= missing / 2;
        highest_ += missing - missing / 2;
    }
    rowHeight_ = size_.height() / (highest_ - lowest_ + 1);
    const double total = notes.empty() ? 1.0 : notes.back().start + notes.back().length;
    pixelsPerWhole_ = std::max(TimeWidth() / total, LeastPixelsPerWhole);
    scrollRange_ = std::max(total * pixelsPerWhole_ - TimeWidth(), 0.0);
    scrolled_ = std::clamp(scrolled, 0.0, scrollRange_);
}

double NoteRoll::TimeAt(double x) const { return (x - gutter_ + scrolled_) / pixelsPerWhole_; }

double NoteRoll::RowTop(int pitch) const { return (highest_ - pitch) * rowHeight_; }

QRectF NoteRoll::PitchBand(int low, int high) const {
    low = std::max(low, lowest_);
    high = std::min(high, highest_);
    if (low > high) return {};
    return QRectF(QPointF(gutter_, RowTop(high)), QPointF(size_.width(), RowTop(low) + rowHeight_));
}

std::optional<QRectF> NoteRoll::NoteRect(std::size_t index) const {
    const RollNote& note = notes_.at(index);
    if (note.pause) return std::nullopt;
    const QRectF column = Column(index);
    return QRectF(column.left(), RowTop(note.pitch.value_or(lowest_)), column.width(), rowHeight_);
}

QRectF NoteRoll::Column(std::size_t index) const {
    const RollNote& note = notes_.at(index);
    return {gutter_ + note.start * pixelsPerWhole_ - scrolled_, 0.0, note.length * pixelsPerWhole_, size_.height()};
}

std::optional<std::size_t> NoteRoll::NoteAt(QPointF point) const {
    const double time = TimeAt(point.x());
    // Time scrolled under the gutter is not shown there.
    if (notes_.empty() || point.x() < gutter_ || time < 0.0) return std::nullopt;
    const auto after = std::upper_bound(notes_.begin(), notes_.end(), time,
                                        [](double t, const RollNote& note) { return t < note.start; });
    if (after == notes_.begin()) return std::nullopt;
    const std::size_t index = static_cast<std::size_t>(after - notes_.begin()) - 1;
    if (time >= notes_[index].start + notes_[index].length) return std::nullopt;
    return index;
}

std::pair<std::size_t, std::size_t> NoteRoll::NotesAcross(double left, double right) const {
    const double from = TimeAt(left);
    const double to = TimeAt(right);
    // The first note ending after `from`, then the first starting at or after `to`.
    const auto first = std::partition_point(notes_.begin(), notes_.end(),
                                            [from](const RollNote& note) { return note.start + note.length <= from; });
    const auto last = std::partition_point(first, notes_.end(), [to](const RollNote& note) { return note.start < to; });
    return {static_cast<std::size_t>(first - notes_.begin()), static_cast<std::size_t>(last - notes_.begin())};
}

double NoteRoll::TimeX(std::size_t index, double fraction) const {
    const QRectF column = Column(index);
    return column.left() + std::clamp(fraction, 0.0, 1.0) * column.width();
}

double NoteRoll::ScrollShowing(std::size_t index) const {
    const RollNote& note = notes_.at(index);
    const double start = note.start * pixelsPerWhole_;
    const double end = std::min(start + note.length * pixelsPerWhole_, start + TimeWidth());
    double scroll = scrolled_;
    if (end > scroll + TimeWidth()) scroll = end - TimeWidth();
    if (start < scroll) scroll = start;
    return std::clamp(scroll, 0.0, scrollRange_);
}

double NoteRoll::ScrollPaging(std::size_t index) const {
    if (ScrollShowing(index) == scrolled_) return scrolled_;
    return std::clamp(notes_.at(index).start * pixelsPerWhole_, 0.0, scrollRange_);
}

std::optional<Sounding> SoundingAt(const std::vector<double>& starts, double seconds) {
    if (starts.size() < 2 || seconds < starts.front() || seconds >= starts.back()) return std::nullopt;
    const auto after = std::upper_bound(starts.begin(), starts.end(), seconds);
    const std::size_t index = static_cast<std::size_t>(after - starts.begin()) - 1;
    const double span = starts[index + 1] - starts[index];
    return Sounding{index, span > 0.0 ? (seconds - starts[index]) / span : 0.0};
}

}  // namespace tw
