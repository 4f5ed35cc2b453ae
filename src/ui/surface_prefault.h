// A large window's first frame writes megabytes into fresh memory: its drawing surface, shared
// with the display server. Touched page by page as the frame is drawn, each page costs a fault,
// and faults are dear (on virtual machines most of all): at 1920 x 1080 they were a good part of
// the program's start-up. The kernel makes the whole surface resident far more cheaply in one
// call, and here it does so on another thread, while the window thread goes on.
#pragma once

#include <QObject>
#include <thread>

class QWidget;

namespace morvel {

class SurfacePrefault : public QObject {
    Q_OBJECT

  public:
    // Watches `window` (a top-level one): whenever it shows or takes a new size, its surface is
    // made at that size and filled in ahead of the drawing.
    explicit SurfacePrefault(QWidget& window);
    ~SurfacePrefault() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Prefault();

    QWidget& window_;
    std::thread worker_;
};

}  // namespace morvel
