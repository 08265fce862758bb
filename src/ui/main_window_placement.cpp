#include "ui/main_window_placement.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>

#include <cmath>
#include <vector>

#include "shell/saved_settings.h"
#include "shell/window_layout.h"
#include "shell/window_placement.h"

namespace tw {
namespace {

TwipSize TwipsOf(const QSize& size) { return TwipsFromPixels(size.width(), size.height()); }

TwipRect TwipsOf(const QRect& rect) {
    return TwipsFromPixels(PixelRect{rect.left(), rect.top(), rect.width(), rect.height()});
}

// A saved measure as a whole number of twips; the reader keeps them well
// within the int range.
int WholeTwips(float twips) { return static_cast<int>(std::lround(twips)); }

// Where the desktop places the windows and tells no program where they are.
bool DesktopPlacesWindows() { return QGuiApplication::platformName().startsWith(QStringLiteral("wayland")); }

}  // namespace

void MainWindowPlacement::Place(const SavedSettings& saved) {
    readLeft_ = saved.Left;
    readTop_ = saved.Top;
    TwipRect wanted{WholeTwips(saved.Left), WholeTwips(saved.Top), WholeTwips(saved.Width), WholeTwips(saved.Height)};
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        std::vector<TwipRect> screens;
        for (const QScreen* each : QGuiApplication::screens()) screens.push_back(TwipsOf(each->availableGeometry()));
        wanted = KeepOnScreen(wanted, screens, TwipsOf(primary->availableGeometry()));
    }
    const PixelRect pixels = PixelsFromTwips(wanted);
    window_.move(pixels.Left, pixels.Top);
    SetOuterTwips({wanted.Width, wanted.Height});
    if (saved.Maximized == WindowStateMaximized) window_.setWindowState(window_.windowState() | Qt::WindowMaximized);
}

void MainWindowPlacement::Keep(SavedSettings& settings) const {
    if (window_.isMaximized()) {
        settings.Maximized = WindowStateMaximized;
        return;
    }
    settings.Maximized = WindowStateNormal;
    settings.Left = static_cast<float>(TwipsFromPixels(window_.x()));
    settings.Top = static_cast<float>(TwipsFromPixels(window_.y()));
    if (DesktopPlacesWindows()) {
        settings.Left = readLeft_;
        settings.Top = readTop_;
    }
    const TwipSize outer = OuterTwips();
    settings.Width = static_cast<float>(outer.Width);
    settings.Height = static_cast<float>(outer.Height);
}

// The window's own size holds the menu bar and the client area.
TwipSize MainWindowPlacement::NonClientTwips() const {
    const QWidget* menuBar = window_.menuWidget();
    const int menuHeight = menuBar != nullptr ? TwipsFromPixels(menuBar->sizeHint().height()) : 0;
    return {DesignOuterSize.Width - DesignClientSize.Width,
            DesignOuterSize.Height - DesignClientSize.Height - menuHeight};
}

TwipSize MainWindowPlacement::OuterTwips() const {
    const TwipSize own = TwipsOf(window_.size());
    const TwipSize frame = NonClientTwips();
    return {own.Width + frame.Width, own.Height + frame.Height};
}

void MainWindowPlacement::SetOuterTwips(TwipSize outer) {
    const TwipSize frame = NonClientTwips();
    const PixelRect own = PixelsFromTwips(TwipRect{0, 0, outer.Width - frame.Width, outer.Height - frame.Height});
    window_.resize(own.Width, own.Height);
}

}  // namespace tw
