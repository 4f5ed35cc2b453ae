// Small builders for the controls the side windows share.
#pragma once

#include <QIcon>
#include <QLabel>
#include <QRect>
#include <QString>
#include <optional>
#include <string_view>

class QDialog;
class QMessageBox;
class QPushButton;
class QWidget;

namespace morvel {

// Every side window: no frame from the window manager, whose title bar would carry minimise,
// maximise and close buttons. Each window closes by its own OK (or its choice), and a minimised
// modal window would leave the table locked; some window managers draw those buttons whatever a
// window asks for, so the side windows draw their own title (CaptionStrip).
inline constexpr Qt::WindowFlags kSideWindowFlags = Qt::Dialog | Qt::FramelessWindowHint;

// A side window's title bar, drawn by the window: its icon and title on a strip across its top,
// scaled with it. Dragging the strip moves the window. Screen readers find the title as its text.
class CaptionStrip : public QLabel {
    Q_OBJECT

  public:
    static constexpr int kHeight = 18;  // designed pixels

    // Puts itself on top of `window`, whose scaler makes room for it.
    explicit CaptionStrip(QWidget* window);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    std::optional<QPoint> grip_;  // a drag the window moves by itself: where it holds the window
};

// A label for a name the person typed: shown as plain text whatever it holds, never as markup;
// cut at its end with "…" when it does not fit, so that it always begins with its first letter,
// and whole in its tooltip. Its alignment holds whatever the script of the name.
class ElidedLabel : public QLabel {
    Q_OBJECT

  public:
    ElidedLabel(const char* name, Qt::Alignment alignment, QWidget* parent);

    void SetName(const QString& name);
    const QString& Name() const { return name_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void Elide();

    QString name_;
};

// Names for the parts of a message box a screen reader would find without one: its icon and
// its row of buttons.
void NameMessageParts(QMessageBox& box);
// An information box under the game's title, its parts named, waited on.
void ShowInformation(QWidget* parent, const QString& text);

// Text of the person's, for a tooltip: shown as typed, never read as markup.
QString PlainToolTip(const QString& text);

// White 13-pixel text, bold or not, sized to its caption.
QLabel* WhiteLabel(const char* name, const QString& caption, bool bold, QWidget* parent);
void WhiteLook(QLabel* label, bool bold);

// The green check mark of the OK buttons.
QIcon OkGlyph();

// The window's OK button `BitBtn1`: the OK glyph, the hand cursor, the default button, and a
// click closes the dialog.
QPushButton* OkButton(QDialog* dialog, std::string_view caption, const QRect& geometry);

}  // namespace morvel
