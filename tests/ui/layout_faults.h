#pragma once

// What a window shows cut off or on top of something else: every named
// control that is shown must lie inside its parent and clear of its shown
// siblings, its caption must fit it, and a text box of several lines must
// show two of them whole. The window tests and the picture
// program both ask.
#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTextDocument>
#include <QWidget>

#include <cmath>
#include <string>
#include <vector>

namespace tw::test {

// The controls drawn on purpose under others: the sunken panel behind the
// results and the start-up banner, which the results area covers once shown.
inline bool DrawnUnderneath(const QWidget& widget) {
    const QString name = widget.objectName();
    return name == QLatin1String("lblBack") || name.startsWith(QLatin1String("lblBegin"));
}

inline bool Named(const QWidget& widget) {
    return !widget.objectName().isEmpty() && !widget.objectName().startsWith(QLatin1String("qt_"));
}

inline std::string NameOf(const QWidget& widget) { return widget.objectName().toStdString(); }

// Why the caption of `widget` does not fit it; empty when it does.
inline std::string CaptionFault(const QWidget& widget) {
    const QFontMetrics metrics = widget.fontMetrics();
    const auto wide = [&](const QString& text) { return metrics.horizontalAdvance(QString(text).remove(u'&')); };
    int needed = 0;
    int room = widget.width();
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        if (label->text().isEmpty() || label->pixmap().cacheKey() != 0) return {};
        if (label->wordWrap()) {
            if (label->heightForWidth(label->width()) > label->height() + 1)
                return NameOf(widget) + ": its text needs more lines than it has room for";
            return {};
        }
        needed = wide(label->text());
        room = label->contentsRect().width();
    } else if (const auto* radio = qobject_cast<const QRadioButton*>(&widget)) {
        const QStyle* style = radio->style();
        needed = wide(radio->text()) + style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, radio) +
                 style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, radio);
    } else if (const auto* button = qobject_cast<const QPushButton*>(&widget)) {
        needed = wide(button->text()) + 4;
    } else if (const auto* frame = qobject_cast<const QGroupBox*>(&widget)) {
        needed = wide(frame->title()) + 16;
    } else {
        return {};
    }
    if (needed > room)
        return NameOf(widget) + ": its caption needs " + std::to_string(needed) + " pixels, it has " +
               std::to_string(room);
    if (metrics.height() > widget.height() && qobject_cast<const QGroupBox*>(&widget) == nullptr)
        return NameOf(widget) + ": its caption is taller than it";
    return {};
}

// Why a list cuts a row; empty when every row shows whole across.
inline std::string RowsFault(const QListWidget& list) {
    for (int i = 0; i < list.count(); ++i) {
        const QRect row = list.visualItemRect(list.item(i));
        if (row.width() > list.viewport()->width())
            return NameOf(list) + ": row " + std::to_string(i + 1) + " is wider than the list";
    }
    return {};
}

// Why a text box of several lines cuts its second line; empty when its
// viewport holds two lines whole with the document's margin above and below
// (a box of one line would be a line edit).
inline std::string LinesFault(const QPlainTextEdit& box) {
    constexpr int Lines = 2;
    const int margin = static_cast<int>(std::ceil(box.document()->documentMargin()));
    const int needed = Lines * box.fontMetrics().lineSpacing() + 2 * margin;
    const int room = box.viewport()->height();
    if (room >= needed) return {};
    return NameOf(box) + ": two whole lines need " + std::to_string(needed) + " pixels, it shows " +
           std::to_string(room);
}

// Where a control draws in its parent: a one-line label only where its text
// is, as its alignment places it; any other control its whole rectangle.
inline QRect InkRect(const QWidget& widget) {
    const auto* label = qobject_cast<const QLabel*>(&widget);
    if (label == nullptr || label->wordWrap() || label->text().isEmpty()) return widget.geometry();
    const QSize text(label->fontMetrics().horizontalAdvance(label->text()), label->fontMetrics().height());
    const QRect inside = label->contentsRect().translated(label->pos());
    return QStyle::alignedRect(label->layoutDirection(), label->alignment(), text.boundedTo(inside.size()), inside);
}

// Every fault of the shown controls of `window`, one line each.
inline std::vector<std::string> LayoutFaults(const QWidget& window) {
    std::vector<std::string> faults;
    const auto add = [&faults](std::string fault) {
        if (!fault.empty()) faults.push_back(std::move(fault));
    };
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (!Named(*widget) || !widget->isVisibleTo(&window) || widget->isWindow()) continue;
        const QWidget* parent = widget->parentWidget();
        if (!parent->rect().contains(widget->geometry())) add(NameOf(*widget) + " reaches outside " + NameOf(*parent));
        if (!DrawnUnderneath(*widget)) add(CaptionFault(*widget));
        if (const auto* list = qobject_cast<const QListWidget*>(widget)) add(RowsFault(*list));
        if (const auto* box = qobject_cast<const QPlainTextEdit*>(widget)) add(LinesFault(*box));
        if (DrawnUnderneath(*widget)) continue;
        const QRect ink = InkRect(*widget);
        for (const QObject* other : parent->children()) {
            const auto* sibling = qobject_cast<const QWidget*>(other);
            if (sibling == nullptr || sibling <= widget || !Named(*sibling) || !sibling->isVisibleTo(&window) ||
                sibling->isWindow() || DrawnUnderneath(*sibling))
                continue;
            if (ink.intersects(InkRect(*sibling))) add(NameOf(*widget) + " overlaps " + NameOf(*sibling));
        }
    }
    return faults;
}

}  // namespace tw::test
