// Tests that the buttons' pictures show with enough contrast on light and dark palettes.
#include "support/QtApplication.h"

#include <QColor>
#include <QImage>
#include <QRect>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

// The window's pictures, compiled into the app library.
static void initFormPictures() {
    Q_INIT_RESOURCE(pictures);
}

namespace dm {
namespace {

// Relative luminance of an sRGB colour, 0 for black to 1 for white.
double luminance(const QColor& colour) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red()) + 0.7152 * linear(colour.green()) +
           0.0722 * linear(colour.blue());
}

// Contrast ratio of two luminances, 1 (none) to 21 (black on white).
double contrast(double a, double b) {
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// The pixel drawn over an opaque background.
QColor over(QRgb pixel, const QColor& background) {
    const double alpha = qAlpha(pixel) / 255.0;
    const auto mix = [&](int top, int bottom) {
        return static_cast<int>(std::lround(top * alpha + bottom * (1 - alpha)));
    };
    return QColor(mix(qRed(pixel), background.red()), mix(qGreen(pixel), background.green()),
                  mix(qBlue(pixel), background.blue()));
}

// Graphical objects need a contrast of at least 3:1 against what is next to them to be seen.
constexpr double kVisibleContrast = 3.0;

// The share of the picture's outline inside area that shows against the background: an outline
// pixel (opaque, next to a transparent one) shows when it or an opaque pixel next to it stands
// out from the background by kVisibleContrast.
double visibleOutlineShare(const QImage& picture, const QColor& background, const QRect& area) {
    const double ground = luminance(background);
    const auto opaque = [&](int x, int y) {
        return picture.rect().contains(x, y) && qAlpha(picture.pixel(x, y)) >= 128;
    };
    const auto standsOut = [&](int x, int y) {
        return opaque(x, y) && contrast(luminance(over(picture.pixel(x, y), background)), ground) >=
                                   kVisibleContrast;
    };
    int outline = 0;
    int shown = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            if (!opaque(x, y) ||
                (opaque(x - 1, y) && opaque(x + 1, y) && opaque(x, y - 1) && opaque(x, y + 1)))
                continue;
            ++outline;
            bool seen = false;
            for (int dy = -1; dy <= 1 && !seen; ++dy)
                for (int dx = -1; dx <= 1 && !seen; ++dx)
                    seen = standsOut(x + dx, y + dy);
            shown += seen ? 1 : 0;
        }
    return outline == 0 ? 0.0 : static_cast<double>(shown) / outline;
}

class PicturesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::ensureQtApplication("pictures_test");
        initFormPictures();
    }
};

// The button pictures read on light and dark palettes alike: almost all of each one's outline,
// and of the parts named, stands out from the button's face.
TEST_F(PicturesTest, ButtonPicturesShowOnLightAndDarkPalettes) {
    struct Part {
        const char* picture;
        const char* what;
        QRect area;
    };
    const Part parts[] = {
        {"emptyslot.png", "whole picture", QRect(0, 0, 32, 32)},
        {"emptyslot.png", "the socket's bar", QRect(5, 21, 22, 8)},
        {"drivers.png", "whole picture", QRect(0, 0, 32, 32)},
        {"drivers.png", "the chip", QRect(4, 3, 10, 22)},
        {"module-search.png", "whole picture", QRect(0, 0, 24, 24)},
    };
    // Light faces (white, a light theme's grey) and dark ones (a dark theme's greys).
    const QColor faces[] = {QColor(255, 255, 255), QColor(239, 239, 239), QColor(53, 53, 53),
                            QColor(42, 42, 42), QColor(25, 25, 25)};
    for (const Part& part : parts) {
        const QImage picture = QImage(QStringLiteral(":/pictures/") + part.picture)
                                   .convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(picture.isNull()) << part.picture;
        for (const QColor& face : faces) {
            SCOPED_TRACE(std::string(part.picture) + ", " + part.what + " on " +
                         face.name().toStdString());
            EXPECT_GE(visibleOutlineShare(picture, face, part.area), 0.9);
        }
    }
}

} // namespace
} // namespace dm
