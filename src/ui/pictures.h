// Turns the table model's picture values into pixmaps of the size they are drawn at, made from
// pictures four times as large as the table's design (never from a smaller one), and kept per
// size: a table drawn at any scale and device pixel ratio gets sharp cards.
#pragma once

#include <QCache>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QThreadPool>
#include <memory>

#include "table_model.h"

namespace morvel {

// A PNG built into the program, read by Qt's own reader: left to find its reader, Qt would first
// load every picture plug-in to ask it.
QImage ReadPng(const QString& path);

class Tcard;

class Pictures {
  public:
    Pictures();
    // Waits for the pictures being made.
    ~Pictures();
    Pictures(const Pictures&) = delete;
    Pictures& operator=(const Pictures&) = delete;

    // The faces live on Tcard, which is created after the table window; they must outlive every
    // picture being made (see WaitForWork).
    void SetFaces(const Tcard* faces) { faces_ = faces; }

    // The picture at exactly `size` device pixels. A null pixmap for the blank picture, for an
    // empty size, and for a face asked for before Tcard exists.
    QPixmap Get(Picture picture, QSize size) const;
    // Starts making the picture at `size` on a worker thread, unless it is kept or being made:
    // a slot asks for what it will draw as soon as it knows its size, so that the cards of a
    // frame (a kept game's first, a new deal's) are decoded and scaled on every core while the
    // window thread draws. Get then takes the finished picture, or makes it itself when no
    // worker has started on it yet.
    void Prefetch(Picture picture, QSize size) const;
    // Returns once no picture is being made.
    void WaitForWork() const;

  private:
    class Job;
    QImage Make(Picture picture, QSize size) const;
    QPixmap Keep(quint64 key, QImage image) const;
    void KeepFinished() const;

    const Tcard* faces_ = nullptr;
    mutable QCache<quint64, QPixmap> sized_;  // by picture and size; cost in kilobytes
    mutable QHash<quint64, std::shared_ptr<Job>> pending_;
    mutable QThreadPool workers_;
};

}  // namespace morvel
