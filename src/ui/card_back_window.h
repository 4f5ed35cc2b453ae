// The card-back chooser (F5): six pictures, and a click on one turns every face-down card on the
// table to it at once.
#pragma once

#include <QDialog>
#include <array>

class QPushButton;

namespace morvel {

class Game;
class ImageSlot;
class Pictures;
class TForm1;

class Ttypecardform : public QDialog {
    Q_OBJECT

  public:
    Ttypecardform(Game& game, TForm1& table, const Pictures& pictures, QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void ChooseCardBack(int k);

    Game& game_;
    TForm1& table_;
    QPushButton* bitBtn1_;
};

}  // namespace morvel
