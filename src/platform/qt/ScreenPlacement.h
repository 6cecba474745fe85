// Keeping a window's frame on the free area of the screen it opens on.
#pragma once

#include <QMargins>
#include <QObject>
#include <QPoint>

class QWidget;

namespace dm::platform {

// Moves window, a top-level window being shown, so that its frame lies on the free area (panels
// excluded) of the screen it opens on, from where it was put (placeFrame). Call it from the
// window's showEvent, after the base class has placed the window.
void keepOnScreen(QWidget& window);

// The helper keepOnScreen gives a window. The window system may tell a window's frame only once
// the window is on the screen, and a window manager may put the frame elsewhere than asked: until
// then the frame is estimated from the style, and when the frame becomes known the window is
// placed again from the same spot.
class ScreenKeeper : public QObject {
    Q_OBJECT

public:
    explicit ScreenKeeper(QWidget& window);
    // Places the window from where it is now.
    void place();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void moveOnScreen();

    QWidget& window_;
    QPoint wanted_;
    QMargins frame_;
    // The window system has told the frame since the window was placed.
    bool told_ = false;
};

} // namespace dm::platform
