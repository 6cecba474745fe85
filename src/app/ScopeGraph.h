// A small scrolling scope with one trace, driven by its owner.
#pragma once

#include <QImage>
#include <QWidget>

namespace dm {

// A small scrolling scope with one trace. It has no timer of its own: the owner sets the trace's
// position (in percent of the height) and calls updateScope(), which scrolls the picture by
// UpdateTimeSteps time steps and draws the new segment.
class ScopeGraph : public QWidget {
    Q_OBJECT

public:
    explicit ScopeGraph(QWidget* parent = nullptr);

    int BaseLine = 80;          // percent of the height
    int HorizontalGridSize = 5; // pixels between vertical grid lines
    int VerticalGridSize = 5;   // pixels between horizontal grid lines
    int Minimum = 0;
    int Maximum = 65;
    int TotalTimeSteps = 89; // time steps across the width
    int UpdateTimeSteps = 2; // time steps per update

    static constexpr QRgb kBackgroundColor = 0xff000000;
    static constexpr QRgb kGridColor = 0xff008000;
    static constexpr QRgb kBaseLineColor = 0xffff0000;
    static constexpr QRgb kTraceColor = 0xff00ff00;

    int Position() const { return position_; }
    void setPosition(int percent) { position_ = percent; }
    void updateScope();
    // The picture as drawn so far (its size follows the widget's).
    const QImage& picture();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int toY(int percent) const;
    void reset();
    void drawColumns(int fromX);

    QImage picture_;
    int position_ = 0;
    int lastY_ = -1;
    // Pixels scrolled since the start: keeps the grid moving with the trace.
    long long scrolled_ = 0;
};

} // namespace dm
