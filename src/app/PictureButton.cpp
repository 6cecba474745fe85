// A button that draws a picture and a word-wrapped caption, flat or raised.
#include "app/PictureButton.h"

#include <QEvent>
#include <QPainter>
#include <QStyleOptionButton>

namespace dm {

namespace {
constexpr int kMargin = 2;
constexpr int kSpacing = 4;
} // namespace

PictureButton::PictureButton(QWidget* parent) : QAbstractButton(parent) {
    setAttribute(Qt::WA_Hover);
}

void PictureButton::setFlat(bool flat) {
    flat_ = flat;
    update();
}

void PictureButton::setGlyphLayout(GlyphLayout layout) {
    layout_ = layout;
    update();
}

void PictureButton::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

bool PictureButton::event(QEvent* event) {
    if (event->type() == QEvent::HoverEnter || event->type() == QEvent::HoverLeave)
        update();
    return QAbstractButton::event(event);
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionButton option;
    option.initFrom(this);
    if (isDown())
        option.state |= QStyle::State_Sunken;
    else
        option.state |= QStyle::State_Raised;
    // A flat button shows its frame only while the pointer is over it.
    if (!flat_ || (isEnabled() && (underMouse() || isDown())))
        style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter, this);

    QRect area = rect().adjusted(kMargin, kMargin, -kMargin, -kMargin);
    if (isDown())
        area.translate(1, 1);
    QRect textArea = area;
    if (!picture_.isNull()) {
        const QSize size = picture_.deviceIndependentSize().toSize();
        QPoint at;
        if (layout_ == kGlyphTop) {
            at = QPoint(area.center().x() - size.width() / 2 + 1, area.top() + kSpacing);
            textArea.setTop(at.y() + size.height() + kSpacing);
        } else {
            at = QPoint(area.left() + kSpacing, area.center().y() - size.height() / 2 + 1);
            textArea.setLeft(at.x() + size.width() + kSpacing);
        }
        const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
        painter.drawPixmap(at, QIcon(picture_).pixmap(size, devicePixelRatio(), mode));
    }
    QString caption = text();
    caption.remove(QLatin1Char('\r'));
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    const int align = layout_ == kGlyphTop ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignCenter;
    painter.drawText(textArea, align | Qt::TextWordWrap | Qt::TextShowMnemonic, caption);
}

} // namespace dm
