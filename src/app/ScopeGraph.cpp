// A small scrolling scope with one trace: its grid, base line and drawing.
#include "app/ScopeGraph.h"

#include <QPainter>

#include <algorithm>

namespace dm {

ScopeGraph::ScopeGraph(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int ScopeGraph::toY(int percent) const {
    const int h = picture_.height();
    const int range = std::max(1, Maximum - Minimum);
    const double value = percent / 100.0 * range;
    const int y = h - 1 - static_cast<int>(value * (h - 1) / range + 0.5);
    return std::clamp(y, 0, std::max(0, h - 1));
}

void ScopeGraph::reset() {
    picture_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    lastY_ = -1;
    drawColumns(0);
}

// Clears the columns from fromX to the right edge and draws their grid and base line.
void ScopeGraph::drawColumns(int fromX) {
    const int w = picture_.width();
    const int h = picture_.height();
    for (int x = std::max(0, fromX); x < w; ++x) {
        const bool gridColumn = HorizontalGridSize > 0 && (x + scrolled_) % HorizontalGridSize == 0;
        for (int y = 0; y < h; ++y) {
            const bool gridRow = VerticalGridSize > 0 && (h - 1 - y) % VerticalGridSize == 0;
            picture_.setPixel(x, y, gridColumn || gridRow ? kGridColor : kBackgroundColor);
        }
        picture_.setPixel(x, toY(BaseLine), kBaseLineColor);
    }
}

void ScopeGraph::updateScope() {
    if (picture_.size() != size().expandedTo(QSize(1, 1)))
        reset();
    const int w = picture_.width();
    const int stepWidth = std::max(1, w / std::max(1, TotalTimeSteps));
    const int shift = std::min(w, stepWidth * std::max(1, UpdateTimeSteps));
    // Scroll left by one update, then draw the fresh columns on the right.
    QImage moved = picture_.copy(shift, 0, w - shift, picture_.height());
    {
        QPainter painter(&picture_);
        painter.drawImage(0, 0, moved);
    }
    scrolled_ += shift;
    drawColumns(w - shift);
    const int y = toY(position_);
    QPainter painter(&picture_);
    painter.setPen(QColor::fromRgb(kTraceColor));
    const int endX = w - 1;
    const int startX = endX - shift;
    painter.drawLine(startX, lastY_ < 0 ? y : lastY_, endX, y);
    lastY_ = y;
    update();
}

const QImage& ScopeGraph::picture() {
    if (picture_.size() != size().expandedTo(QSize(1, 1)))
        reset();
    return picture_;
}

void ScopeGraph::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture());
}

void ScopeGraph::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    reset();
}

} // namespace dm
