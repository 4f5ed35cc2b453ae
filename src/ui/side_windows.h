// The modal side windows of the game. For now each is a bare window that its OK button closes.
#pragma once

#include <QDialog>

class QPushButton;

namespace morvel {

class SideWindow : public QDialog {
    Q_OBJECT

  public:
    enum class Closing : uint8_t { Freely, OnlyByOk };

    SideWindow(const QString& name, const QString& okName, Closing closing,
               QWidget* parent = nullptr);

    QPushButton* OkButton() const { return ok_; }

    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QPushButton* ok_;
    Closing closing_;
};

// Contract choice. Closing it without a choice would leave the deal without a contract.
class Tchoosform : public SideWindow {
    Q_OBJECT

  public:
    explicit Tchoosform(QWidget* parent = nullptr);
};

// Result sheet.
class Tresultform : public SideWindow {
    Q_OBJECT

  public:
    explicit Tresultform(QWidget* parent = nullptr);
};

// Contract choice in the complex mode; closes only by its OK button, like Tchoosform.
class Tallform : public SideWindow {
    Q_OBJECT

  public:
    explicit Tallform(QWidget* parent = nullptr);
};

// About box.
class Taboutform : public SideWindow {
    Q_OBJECT

  public:
    explicit Taboutform(QWidget* parent = nullptr);
};

// Help text.
class Taboutmorvelform : public SideWindow {
    Q_OBJECT

  public:
    explicit Taboutmorvelform(QWidget* parent = nullptr);
};

// Card-back chooser.
class Ttypecardform : public SideWindow {
    Q_OBJECT

  public:
    explicit Ttypecardform(QWidget* parent = nullptr);
};

// Last round.
class Tlastform : public SideWindow {
    Q_OBJECT

  public:
    explicit Tlastform(QWidget* parent = nullptr);
};

}  // namespace morvel
