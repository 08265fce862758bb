#include "ui/note_view.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>

#include "ui/text_codec.h"

namespace tw {
namespace {

constexpr int PollMilliseconds = 30;

bool IsDark(const QPalette& palette) { return palette.color(QPalette::Base).lightness() < 128; }

QColor Mixed(const QColor& a, const QColor& b, double share) {
    return QColor::fromRgbF(static_cast<float>(a.redF() * (1 - share) + b.redF() * share),
                            static_cast<float>(a.greenF() * (1 - share) + b.greenF() * share),
                            static_cast<float>(a.blueF() * (1 - share) + b.blueF() * share));
}

// The colour of the sounding note and the play cursor.
QColor LitColour(const QPalette& palette) { return IsDark(palette) ? QColor(255, 196, 0) : QColor(230, 140, 0); }

}  // namespace

QColor ProblemColour(const QPalette& palette) { return IsDark(palette) ? QColor(255, 120, 110) : QColor(190, 0, 0); }

NoteView::NoteView(QWidget* parent)
    : QWidget(parent), poll_(new QTimer(this)), bar_(new QScrollBar(Qt::Horizontal, this)) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setToolTip(QStringLiteral("The notes: click one to hear it and find it in the text"));
    setAccessibleName(QStringLiteral("Notes"));
    setAccessibleDescription(QStringLiteral("The ringtone's notes by time and pitch"));
    poll_->setInterval(PollMilliseconds);
    connect(poll_, &QTimer::timeout, this, [this] { Poll(); });
    bar_->setObjectName(QStringLiteral("noteViewScroll"));
    bar_->setAccessibleName(QStringLiteral("Notes across"));
    bar_->setFocusPolicy(Qt::NoFocus);
    bar_->hide();
    connect(bar_, &QScrollBar::valueChanged, this, [this] { update(); });
}

void NoteView::SetNotes(std::vector<RollNote> notes) {
    notes_ = std::move(notes);
    if (selected_ && *selected_ >= notes_.size()) selected_.reset();
    UpdateScrollBar();
    update();
}

void NoteView::SetSelected(std::optional<std::size_t> index) {
    selected_ = index && *index < notes_.size() ? index : std::nullopt;
    if (selected_) ScrollTo(Roll().ScrollShowing(*selected_));
    update();
}

void NoteView::ScrollToStart() { bar_->setValue(0); }

void NoteView::ScrollTo(double scrolled) { bar_->setValue(static_cast<int>(std::lround(scrolled))); }

// Whether the time scrolls depends on the width alone; the bar takes its
// height from the rows when it shows.
void NoteView::UpdateScrollBar() {
    const NoteRoll roll(notes_, QSizeF(size()), Gutter());
    const int height = bar_->sizeHint().height();
    bar_->setGeometry(0, this->height() - height, width(), height);
    bar_->setRange(0, static_cast<int>(std::ceil(roll.ScrollRange())));
    bar_->setPageStep(std::max(1, static_cast<int>(width() - roll.Left())));
    bar_->setSingleStep(std::max(1, static_cast<int>(roll.PixelsPerWhole() / 4)));
    bar_->setVisible(bar_->maximum() > 0);
}

void NoteView::FollowPlay(std::vector<double> starts, std::function<std::optional<double>()> playedSeconds) {
    starts_ = std::move(starts);
    playedSeconds_ = std::move(playedSeconds);
    sounding_.reset();
    poll_->start();
}

void NoteView::EndPlay() {
    poll_->stop();
    playedSeconds_ = nullptr;
    starts_.clear();
    sounding_.reset();
    update();
}

void NoteView::Poll() {
    if (!playedSeconds_) return;
    const std::optional<double> seconds = playedSeconds_();
    std::optional<Sounding> now = seconds ? SoundingAt(starts_, *seconds) : std::nullopt;
    if (now && now->index >= notes_.size()) now.reset();
    if (now == sounding_) return;
    if (now) {
        const double page = Roll().ScrollPaging(now->index);
        if (std::lround(page) != bar_->value()) {
            sounding_ = now;
            ScrollTo(page);
            update();
            return;
        }
    }
    // Only the columns of the note lit before and now are drawn again: the
    // cursor lies in them.
    const NoteRoll roll = Roll();
    QRectF changed;
    for (const std::optional<Sounding>& lit : {sounding_, now})
        if (lit) changed |= roll.Column(lit->index).adjusted(-2, 0, 2, 0);
    sounding_ = now;
    update(changed.toAlignedRect());
}

std::optional<std::size_t> NoteView::LitNote() const {
    if (!sounding_) return std::nullopt;
    return sounding_->index;
}

std::optional<double> NoteView::CursorX() const {
    if (!sounding_) return std::nullopt;
    return Roll().TimeX(sounding_->index, sounding_->fraction);
}

QString NoteView::TipAt(QPointF point) const {
    const std::optional<std::size_t> index = Roll().NoteAt(point);
    if (!index) return toolTip();
    const RollNote& note = notes_[*index];
    if (!note.problem.empty()) return ShownText(note.problem);
    return ShownText("note " + std::to_string(*index + 1) + ", " + note.text);
}

double NoteView::Gutter() const { return fontMetrics().horizontalAdvance(QStringLiteral("c#10")) + 6.0; }

NoteRoll NoteView::Roll() const {
    const double bar = bar_->isHidden() ? 0.0 : bar_->height();
    return NoteRoll(notes_, QSizeF(width(), std::max(height() - bar, 1.0)), Gutter(), bar_->value());
}

QSize NoteView::sizeHint() const { return {400, 120}; }

void NoteView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colours = palette();
    const QColor base = colours.color(QPalette::Base);
    const QColor text = colours.color(QPalette::Text);
    const QColor highlight = colours.color(QPalette::Highlight);
    painter.fillRect(rect(), base);
    const NoteRoll roll = Roll();

    // The time scrolls under the gutter, where the octaves are named.
    painter.setClipRect(QRectF(roll.Left(), 0, width() - roll.Left(), height()));

    // The composer's octaves, a light band; the c of every octave, a line.
    painter.fillRect(roll.PitchBand(ComposerLowestPitch, ComposerHighestPitch), Mixed(base, highlight, 0.14));
    painter.setPen(QPen(Mixed(base, text, 0.25), 0));
    for (int pitch = roll.LowestPitch(); pitch <= roll.HighestPitch(); ++pitch) {
        if (pitch % 12 != 0) continue;
        const double bottom = roll.RowTop(pitch) + roll.RowHeight();
        painter.drawLine(QPointF(roll.Left(), bottom), QPointF(width(), bottom));
    }

    if (selected_) painter.fillRect(roll.Column(*selected_), Mixed(base, highlight, 0.3));

    const QColor plain = Mixed(base, text, 0.6);
    const QColor problem = ProblemColour(colours);
    const QColor lit = LitColour(colours);
    const std::optional<std::size_t> sounding = LitNote();
    const auto [first, last] = roll.NotesAcross(event->rect().left() - 1, event->rect().right() + 1);
    for (std::size_t i = first; i < last; ++i) {
        const std::optional<QRectF> bar = roll.NoteRect(i);
        if (!bar) continue;
        QColor fill = plain;
        if (!notes_[i].problem.empty()) fill = problem;
        if (selected_ == i) fill = highlight;
        if (sounding == i) fill = lit;
        const QRectF shape = bar->adjusted(0.5, 0.5, -0.5, -0.5);
        painter.setPen(QPen(base, 1));
        painter.setBrush(fill);
        painter.drawRect(shape);
        if (notes_[i].dotted) {
            // The dot marks the third the dot adds.
            const double radius = std::max(1.0, std::min(shape.height(), shape.width() / 3) / 3);
            painter.setPen(Qt::NoPen);
            painter.setBrush(base);
            painter.drawEllipse(QPointF(shape.left() + shape.width() * 5 / 6, shape.center().y()), radius, radius);
        }
    }

    if (const std::optional<double> x = CursorX()) {
        painter.setPen(QPen(lit, 2));
        painter.drawLine(QPointF(*x, 0), QPointF(*x, height()));
    }

    // The gutter and the name of every c that has room for it.
    painter.setClipping(false);
    painter.fillRect(QRectF(0, 0, roll.Left(), height()), colours.color(QPalette::Window));
    painter.setPen(colours.color(QPalette::WindowText));
    const int nameHeight = fontMetrics().height();
    double lastNamed = 1e9;
    for (int pitch = roll.LowestPitch(); pitch <= roll.HighestPitch(); ++pitch) {
        if (pitch % 12 != 0) continue;
        const double bottom = roll.RowTop(pitch) + roll.RowHeight();
        if (lastNamed - bottom < nameHeight) continue;
        const QRectF name(2, bottom - nameHeight, roll.Left() - 4, nameHeight);
        painter.drawText(name, Qt::AlignRight | Qt::AlignBottom, ShownText(PitchName(pitch)));
        lastNamed = bottom - nameHeight;
    }
    if (hasFocus()) {
        painter.setPen(QPen(highlight, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    }
}

void NoteView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton) return;
    if (const std::optional<std::size_t> index = Roll().NoteAt(event->position()); index && onNoteClicked_)
        onNoteClicked_(*index);
}

void NoteView::keyPressEvent(QKeyEvent* event) {
    if (onKey_ && onKey_(event->key(), event->modifiers())) return;
    QWidget::keyPressEvent(event);
}

void NoteView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    UpdateScrollBar();
    if (selected_) ScrollTo(Roll().ScrollShowing(*selected_));
}

// The wheel scrolls the time when it does not fit.
void NoteView::wheelEvent(QWheelEvent* event) {
    if (bar_->isHidden()) {
        QWidget::wheelEvent(event);
        return;
    }
    QCoreApplication::sendEvent(bar_, event);
}

void NoteView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) UpdateScrollBar();
}

bool NoteView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(), TipAt(help->pos()), this);
        return true;
    }
    return QWidget::event(event);
}

}  // namespace tw
