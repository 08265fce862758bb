#pragma once

#include <QWidget>

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "ui/note_roll.h"

class QScrollBar;
class QTimer;

namespace tw {

// The colour the note view and the problem list draw problems in, readable
// on `palette`'s base.
QColor ProblemColour(const QPalette& palette);

// The note view: the shown ringtone as bars on a grid of time across and
// pitch up, the composer's octaves shaded, the selected note marked and,
// during a play, a cursor at the position the player reports with the
// sounding note lit. Its colours come from the palette; it draws at the
// screen's pixel ratio. A ringtone too long for the width scrolls across on
// a bar of the view's own, which moves to show the selected note and turns
// the page as a play goes on. The window decides what a click and a key do.
class NoteView final : public QWidget {
public:
    explicit NoteView(QWidget* parent = nullptr);

    void SetNotes(std::vector<RollNote> notes);
    const std::vector<RollNote>& Notes() const { return notes_; }
    void SetSelected(std::optional<std::size_t> index);
    std::optional<std::size_t> Selected() const { return selected_; }

    // Follows a play: every few milliseconds `playedSeconds` is asked where
    // the sound is, and the cursor and the lit note move there (`starts` as
    // NoteStartSeconds gives them). EndPlay takes the cursor away.
    void FollowPlay(std::vector<double> starts, std::function<std::optional<double>()> playedSeconds);
    void EndPlay();
    // The note sounding at the position last reported, and where the
    // cursor stands across; none when no play is followed.
    std::optional<std::size_t> LitNote() const;
    std::optional<double> CursorX() const;

    // The tooltip at `point`: the problem's line for a note with a problem,
    // else the note's number and RTTTL text; the view's own tip elsewhere.
    QString TipAt(QPointF point) const;

    // The grid of the view's present size and scroll.
    NoteRoll Roll() const;
    QScrollBar* ScrollBar() const { return bar_; }
    // Shows the ringtone's start.
    void ScrollToStart();

    // A click on a note's time; a key the view does not use itself, with
    // whether it was taken.
    void OnNoteClicked(std::function<void(std::size_t)> handler) { onNoteClicked_ = std::move(handler); }
    void OnKey(std::function<bool(int key, Qt::KeyboardModifiers)> handler) { onKey_ = std::move(handler); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void Poll();
    void UpdateScrollBar();
    void ScrollTo(double scrolled);
    double Gutter() const;

    std::vector<RollNote> notes_;
    std::optional<std::size_t> selected_;
    std::vector<double> starts_;
    std::function<std::optional<double>()> playedSeconds_;
    std::optional<Sounding> sounding_;
    QTimer* poll_ = nullptr;
    QScrollBar* bar_ = nullptr;
    std::function<void(std::size_t)> onNoteClicked_;
    std::function<bool(int, Qt::KeyboardModifiers)> onKey_;
};

}  // namespace tw
