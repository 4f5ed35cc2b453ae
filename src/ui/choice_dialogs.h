// The contract choice dialogs: Tchoosform picks one of the five contracts ("NORMAL" mode),
// Tallform the All Game deal or Morvel ("COMPLEX" mode). The engine keeps the choice, the
// selected index and the used contracts; the dialogs pass the clicks on and show its state.
#pragma once

#include <QDialog>
#include <QRect>
#include <span>
#include <string_view>
#include <vector>

class QPushButton;
class QRadioButton;

namespace morvel {

class Game;

class ContractDialog : public QDialog {
    Q_OBJECT

  public:
    // Only OK closes the dialog, and only once a contract is chosen: closed without one, the
    // deal would have no contract. Escape does nothing.
    void reject() override;

    QRadioButton* Radio(int k) const { return radios_[static_cast<size_t>(k - 1)]; }  // r1, r2, ...
    QPushButton* OkButton() const { return ok_; }

    // How a dialog looks; each one fills these in.
    struct Look {
        const char* name;
        std::string_view caption;
        QSize client;
        int radioPixels;  // bold
        const char* okName;
        QRect ok;
        bool okGlyph;
    };
    struct RadioLook {
        std::string_view caption;
        QRect geometry;
    };

  protected:
    ContractDialog(Game& game, const Look& look, std::span<const RadioLook> radios,
                   QWidget* parent);

    // The engine's side of the dialog; k counts the radio buttons from 1.
    virtual void Activate() = 0;
    virtual void RadioClick(int k) = 0;
    virtual bool OkClick() = 0;  // true: the dialog closes
    virtual bool RadioEnabled(int k) const = 0;
    virtual bool RadioChecked(int k) const = 0;

    // Every showing is an activation.
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // The arrow keys go from contract to contract, skipping the used ones; Enter or Space on a
    // contract is a click on it.
    bool eventFilter(QObject* watched, QEvent* event) override;

    Game& game_;

  private:
    // Makes the captions' font small enough for the longest caption to fit.
    void FitCaptions();
    void ShowChoice();
    // The first (`step` 1) or last (-1) contract that may be chosen, from radio button k on.
    QRadioButton* Enabled(int k, int step) const;

    std::vector<QRadioButton*> radios_;
    QPushButton* ok_;
};

class Tchoosform : public ContractDialog {
    Q_OBJECT

  public:
    explicit Tchoosform(Game& game, QWidget* parent = nullptr);

  protected:
    void Activate() override;
    void RadioClick(int k) override;
    bool OkClick() override;
    bool RadioEnabled(int k) const override;
    bool RadioChecked(int k) const override;
};

class Tallform : public ContractDialog {
    Q_OBJECT

  public:
    explicit Tallform(Game& game, QWidget* parent = nullptr);

  protected:
    void Activate() override;
    void RadioClick(int k) override;
    bool OkClick() override;
    bool RadioEnabled(int k) const override;
    bool RadioChecked(int k) const override;
};

}  // namespace morvel
