// The about box and the help window: read-only text, line by line and centred, and an OK button.
#pragma once

#include <QDialog>
#include <span>
#include <string_view>

class QPushButton;
class QTextEdit;

namespace morvel {

class MemoWindow : public QDialog {
    Q_OBJECT

  public:
    QTextEdit* Memo() const { return memo_; }
    QPushButton* OkButton() const { return bitBtn1_; }

  protected:
    struct Places {
        QSize client;
        QRect memo;
        QRect ok;
        bool scrollBar;
        // One height for every line: the Arabic font's own line spacing is half as tall again
        // as the Latin one, which would space the lines unevenly.
        int lineHeight;
        int margin;  // around the text, inside the memo
    };
    MemoWindow(const char* name, std::string_view caption, std::span<const std::string_view> lines,
               const Places& places, QWidget* parent);
    // Margins and line height as designed, times the window's factor.
    void LayOutText(const Places& places, qreal factor);

    void showEvent(QShowEvent* event) override;

    QTextEdit* memo_;
    QPushButton* bitBtn1_;
};

// About box: the game's name and its makers.
class Taboutform : public MemoWindow {
    Q_OBJECT

  public:
    explicit Taboutform(QWidget* parent = nullptr);
};

// Help window: the rules of the game. The text can be read and scrolled with the mouse; the first
// key typed, or the mouse moving over the window's own background, puts the focus on OK, so a
// following Enter closes the window.
class Taboutmorvelform : public MemoWindow {
    Q_OBJECT

  public:
    explicit Taboutmorvelform(QWidget* parent = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};

}  // namespace morvel
