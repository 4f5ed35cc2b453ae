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

}  // namespace morvel
