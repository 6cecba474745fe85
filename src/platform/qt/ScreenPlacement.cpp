// Keeps a Qt window's frame on its screen's free area, estimating the frame until it is known.
#include "platform/qt/ScreenPlacement.h"

#include "platform/desktop/WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

namespace dm::platform {

namespace {

// The frame's margins around the window's client area as the window system tells them; none
// before it has.
QMargins toldFrameMargins(const QWidget& window) {
    const QWindow* handle = window.windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

// Told, else estimated as a title bar and borders the way the style draws them.
QMargins frameMarginsOf(const QWidget& window) {
    const QMargins told = toldFrameMargins(window);
    if (!told.isNull())
        return told;
    const QStyle* style = window.style();
    const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &window);
    const int title = style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    return {border, title, border, border};
}

ScreenRect screenRectOf(const QRect& rect) {
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

} // namespace

ScreenKeeper::ScreenKeeper(QWidget& window) : QObject(&window), window_(window) {
    window.installEventFilter(this);
}

void ScreenKeeper::place() {
    wanted_ = window_.pos();
    told_ = false;
    frame_ = frameMarginsOf(window_);
    moveOnScreen();
}

bool ScreenKeeper::eventFilter(QObject* watched, QEvent* event) {
    // The first move the window system reports with the frame told (the window manager framed
    // the window, and may have put the frame elsewhere), or a frame that changed: place the
    // window again from its spot. Later moves are the user's.
    if (watched == &window_ && event->type() == QEvent::Move && window_.isVisible()) {
        const QMargins told = toldFrameMargins(window_);
        if (!told.isNull() && (!told_ || told != frame_)) {
            told_ = true;
            frame_ = told;
            moveOnScreen();
        }
    }
    return QObject::eventFilter(watched, event);
}

void ScreenKeeper::moveOnScreen() {
    // For a window, pos() is the top-left corner of its frame.
    const QRect frame(wanted_, window_.size().grownBy(frame_));
    QScreen* screen = QGuiApplication::screenAt(frame.center());
    if (!screen)
        screen = window_.screen();
    if (!screen)
        return;
    const ScreenPoint at =
        placeFrame(screenRectOf(frame), screenRectOf(screen->availableGeometry()));
    if (QPoint(at.x, at.y) != window_.pos())
        window_.move(at.x, at.y);
}

void keepOnScreen(QWidget& window) {
    auto* keeper = window.findChild<ScreenKeeper*>(QString(), Qt::FindDirectChildrenOnly);
    if (!keeper)
        keeper = new ScreenKeeper(window);
    keeper->place();
}

} // namespace dm::platform
