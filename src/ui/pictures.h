// Turns the table model's picture values into pixmaps of the size they are drawn at, made from
// pictures four times as large as the table's design (never from a smaller one), and kept per
// size: a table drawn at any scale and device pixel ratio gets sharp cards.
#pragma once

#include <QCache>
#include <QImage>
#include <QPixmap>
#include <QSize>

#include "table_model.h"

namespace morvel {

// A PNG built into the program, read by Qt's own reader: left to find its reader, Qt would first
// load every picture plug-in to ask it.
QImage ReadPng(const QString& path);

class Tcard;

class Pictures {
  public:
    Pictures();

    // The faces live on Tcard, which is created after the table window.
    void SetFaces(const Tcard* faces) { faces_ = faces; }

    // The picture at exactly `size` device pixels. A null pixmap for the blank picture, for an
    // empty size, and for a face asked for before Tcard exists.
    QPixmap Get(Picture picture, QSize size) const;

  private:
    const Tcard* faces_ = nullptr;
    mutable QCache<quint64, QPixmap> sized_;  // by picture and size; cost in kilobytes
};

}  // namespace morvel
