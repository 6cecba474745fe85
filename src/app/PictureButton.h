// A button that shows a picture and a word-wrapped caption.
#pragma once

#include <QAbstractButton>

namespace dm {

// A button that shows a picture and a word-wrapped caption: the banner's image button, the
// "Get Specification" buttons and the flat empty-slot buttons. The caption is kept as set; a
// carriage return in it is not drawn (a line feed breaks the line).
class PictureButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(bool flat READ isFlat WRITE setFlat)
    Q_PROPERTY(GlyphLayout glyphLayout READ glyphLayout WRITE setGlyphLayout)

public:
    enum GlyphLayout { kGlyphLeft, kGlyphTop };
    Q_ENUM(GlyphLayout)

    explicit PictureButton(QWidget* parent = nullptr);

    bool isFlat() const { return flat_; }
    void setFlat(bool flat);
    GlyphLayout glyphLayout() const { return layout_; }
    void setGlyphLayout(GlyphLayout layout);
    // The picture, shown at its own size.
    void setPicture(const QPixmap& picture);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    bool flat_ = false;
    GlyphLayout layout_ = kGlyphLeft;
    QPixmap picture_;
};

} // namespace dm
