// A style that draws group box titles on the frame's top line, through the title's middle.
#include "app/GroupTitleStyle.h"

#include <QGroupBox>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionGroupBox>

namespace dm {

namespace {

// Room left clear of the frame line on each side of the title.
constexpr int kTitleGap = 2;

class GroupTitleStyle : public QProxyStyle {
public:
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override {
        if (control == CC_GroupBox && part == SC_GroupBoxFrame)
            if (const auto* box = titled(option)) {
                QRect frame = box->rect;
                frame.setTop(QProxyStyle::subControlRect(control, option, SC_GroupBoxLabel, widget)
                                 .center()
                                 .y());
                return frame;
            }
        return QProxyStyle::subControlRect(control, option, part, widget);
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        const auto* box = control == CC_GroupBox ? titled(option) : nullptr;
        if (!box) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        // The frame alone, from the title's middle, with the title's place left out of it.
        const QRect title = subControlRect(control, option, SC_GroupBoxLabel, widget);
        QStyleOptionGroupBox frame = *box;
        frame.subControls = SC_GroupBoxFrame;
        frame.text.clear();
        frame.rect = subControlRect(control, option, SC_GroupBoxFrame, widget);
        painter->save();
        painter->setClipRegion(
            QRegion(box->rect).subtracted(title.adjusted(-kTitleGap, 0, kTitleGap, 0)));
        QProxyStyle::drawComplexControl(control, &frame, painter, widget);
        painter->restore();
        // Then the title.
        QStyleOptionGroupBox label = *box;
        label.subControls = box->subControls & ~SC_GroupBoxFrame;
        QProxyStyle::drawComplexControl(control, &label, painter, widget);
    }

    // An etched line, a shaded one with a light one just inside it, along the frame's rectangle.
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element != PE_FrameGroupBox) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        const QRect outer = option->rect.adjusted(0, 0, -1, -1);
        painter->save();
        painter->setBrush(Qt::NoBrush);
        painter->setPen(option->palette.color(QPalette::Mid));
        painter->drawRect(outer.adjusted(0, 0, -1, -1));
        painter->setPen(option->palette.color(QPalette::Light));
        painter->drawRect(outer.adjusted(1, 1, 0, 0));
        painter->restore();
    }

private:
    static const QStyleOptionGroupBox* titled(const QStyleOptionComplex* option) {
        const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        return box && !box->text.isEmpty() && !(box->features & QStyleOptionFrame::Flat) ? box
                                                                                         : nullptr;
    }
};

} // namespace

void putGroupTitlesOnFrames(QWidget* form) {
    auto* style = new GroupTitleStyle;
    // Freed after the group boxes, which the form made first.
    style->setParent(form);
    for (QGroupBox* box : form->findChildren<QGroupBox*>())
        box->setStyle(style);
}

} // namespace dm
