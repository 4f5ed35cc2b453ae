// Where a caption's letters stand as they are painted, told from the rendered pixels.
#pragma once

#include <QImage>
#include <QWidget>
#include <cstdlib>

namespace morvel::testing {

inline QImage Rendered(QWidget* widget) {
    QImage image(widget->size(), QImage::Format_RGB32);
    widget->render(&image);
    return image;
}

// The pixels of one colour (give or take anti-aliasing) in a rendered widget, or in part of it.
class Ink {
  public:
    Ink(QWidget* widget, const QColor& colour, const QRect& area = {})
        : colour_(colour), image_(Rendered(widget)) {
        bounds_ = Find(area.isNull() ? image_.rect() : area & image_.rect());
    }

    // The smallest rectangle around all of the ink; empty when there is none.
    QRect Bounds() const { return bounds_; }

    // True when the Arabic word of a caption such as "ديناري Diamonds" or "موافق OK" is painted
    // left of the Latin one: only the Arabic word reaches into the lowest quarter of the letters.
    bool ArabicFirst() const {
        const int quarter = bounds_.height() / 4;
        const QRect low = Find(bounds_.adjusted(0, bounds_.height() - quarter - 1, 0, 0));
        return low.center().x() < bounds_.center().x();
    }

  private:
    QRect Find(const QRect& area) const {
        QRect found;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = image_.pixelColor(x, y);
                if (std::abs(c.red() - colour_.red()) + std::abs(c.green() - colour_.green()) +
                        std::abs(c.blue() - colour_.blue()) <
                    150)
                    found |= QRect(x, y, 1, 1);
            }
        }
        return found;
    }

    QColor colour_;
    QImage image_;
    QRect bounds_;
};

}  // namespace morvel::testing
