// The player-name dialog: asks for the human player's name before every new game and closes only
// once the engine accepts the name.
#pragma once

#include <QDialog>
#include <QString>
#include <QValidator>

class QLineEdit;
class QPushButton;

namespace morvel {

class Game;

// Characters (code points) in a text; a surrogate pair counts once.
int CountCharacters(const QString& text);

// `after` is `before` with something typed, pasted or replaced. Keeps at most `limit` characters
// by cutting the new part, never what was there already, and never inside a surrogate pair.
// `cursor` is set behind the part that was kept.
QString LimitInsertion(const QString& before, const QString& after, int limit, int* cursor);

// `text` on one line: each run of line breaks and tabs becomes a single space. `cursor` (a
// position in `text`) moves with what stands before it.
QString OneLine(const QString& text, int* cursor);

// The name field's rule: one line (see OneLine), and at most `limit` characters. QLineEdit's own
// limit counts UTF-16 units, so a name of Arabic letters and emoji would be cut short; this one
// counts characters.
class CharacterLimit : public QValidator {
    Q_OBJECT

  public:
    CharacterLimit(int limit, QLineEdit* edit);
    State validate(QString& input, int& pos) const override;

  private:
    int limit_;
    QString accepted_;  // the edit's text before the change being validated
};

class Tenterform : public QDialog {
    Q_OBJECT

  public:
    explicit Tenterform(Game& game, QWidget* parent = nullptr);

    // Only an accepted name closes the dialog: Escape does nothing.
    void reject() override;

    // The name the field opens with, selected: "Player1", or the last one kept.
    void SetSuggestion(const QString& name) { suggestion_ = name; }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BitBtn1Click();

    Game& game_;
    QLineEdit* edit1_;
    QPushButton* bitBtn1_;
    QString suggestion_;
};

}  // namespace morvel
