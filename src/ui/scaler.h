// Draws a window's controls larger without a second layout: each control keeps its place and
// font as designed, at 1:1, and the scaler gives it that place times one factor (plus an offset
// that centres the whole) and that font at the factor's size. The controls stay real widgets, so
// clicks, focus and the accessibility tree see them as they are drawn.
//
// The table fits its factor to the window (never below 1:1); a side window takes the table's
// factor and stands where the table says (Anchor).
#pragma once

#include <QFont>
#include <QHash>
#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QProxyStyle>
#include <QRect>
#include <QSize>

class QWidget;

namespace morvel {

class Scaler : public QObject {
    Q_OBJECT

  public:
    // The largest factor: past it the arithmetic of window sizes is no longer worth trusting.
    static constexpr qreal kLargestFactor = 16;

    // The largest uniform factor, at least 1, at which `designed` fits into `room`; 1 when the
    // room is empty or unknown.
    static qreal FitFactor(QSize designed, QSize room);

    // The factor a scaler gives the window that `widget` belongs to; 1 outside any.
    static qreal FactorFor(const QWidget* widget);

    // How a control takes its scaled size.
    enum class Sizing {
        Designed,  // its designed rectangle, scaled
        ToText,    // its designed top-left, scaled; as large as its scaled text needs
        Painted,   // its designed rectangle, scaled, and its font as designed: it paints itself
                   // through a scaled painter (see FactorFor)
    };

    // Where a side window stands: its designed area (its caption strip above it) over the
    // table's top-left corner or at a designed point of the table, or the whole window centred
    // on the table; moved as little as needed to lie wholly on the screen.
    struct Anchor {
        enum class Kind { Centred, TableTopLeft, AtTablePoint };
        Kind kind = Kind::Centred;
        QPoint point;  // AtTablePoint: in the table's designed pixels
    };

    // `fit`: the factor follows the surface's size (the table); otherwise the surface takes the
    // designed size times the factor it is given (a side window).
    Scaler(QWidget* surface, QSize designed, bool fit);

    // Takes over every child widget as it stands now: its geometry and font become its designed
    // ones. Children added later go through Add.
    void AdoptChildren();
    void Add(QWidget* widget, Sizing sizing = Sizing::Designed);
    // A control the game moves: its new designed rectangle.
    void Place(QWidget* widget, const QRect& designed);
    QRect DesignedRect(const QWidget* widget) const;

    void SetAnchor(const Anchor& anchor) { anchor_ = anchor; }
    const Anchor& GetAnchor() const { return anchor_; }

    // A side window: whenever it is shown, and whenever the table is scaled anew while it is up,
    // it takes the table's factor and its place by the table.
    void Follow(const Scaler& table);
    // A side window's caption strip: a band `height` designed pixels tall above the designed
    // area, as wide as the window, scaled with it. The window grows by the band.
    void SetCaption(QWidget* strip, int height);
    // A side window's factor; the surface is resized and every control laid out again.
    void SetFactor(qreal factor);
    qreal Factor() const { return factor_; }
    QSize DesignedSize() const { return designed_; }

    // Designed pixels of the surface to its own pixels.
    QRect Map(const QRect& designed) const;
    QPoint Map(QPoint designed) const;
    // The scaled layout's whole area in the surface (below a caption strip), and on the screen.
    QRect Area() const { return Map(QRect(QPoint(0, 0), designed_)); }
    QRect ScreenArea() const;

    static Scaler* Of(const QWidget* surface);

  signals:
    void Scaled(qreal factor);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Item {
        QRect rect;
        QFont font;
        Sizing sizing = Sizing::Designed;
        int lineWidth = 0;  // a frame's
    };
    void Apply(QWidget* widget, const Item& item) const;
    void Layout(qreal factor, QPointF offset);
    void FitToTable();

    QWidget* surface_;
    QSize designed_;
    int captionHeight_ = 0;  // designed pixels above the designed area
    bool fit_;
    QFont surfaceFont_;
    qreal factor_ = 1;
    QPointF offset_;
    Anchor anchor_;
    const Scaler* table_ = nullptr;
    QHash<QWidget*, Item> items_;
};

// The application's style, with the sizes it draws by itself (radio buttons, button icons,
// frames, scroll bars) scaled like the fonts of the window they are drawn in.
class ScaledStyle : public QProxyStyle {
    Q_OBJECT

  public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    // The menu bar's overflow button gets its icon only when drawn: made with the menu bar, it
    // would send the style to the icon theme and every picture plug-in during start-up.
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace morvel
