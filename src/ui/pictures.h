// Turns the table model's picture values into pixmaps.
#pragma once

#include <QHash>
#include <QPixmap>

#include "table_model.h"

namespace morvel {

class Tcard;

class Pictures {
  public:
    // The faces live on Tcard, which is created after the table window.
    void SetFaces(const Tcard* faces) { faces_ = faces; }

    // A null pixmap for the blank picture (and for a face asked for before Tcard exists).
    QPixmap Get(Picture picture) const;

  private:
    const Tcard* faces_ = nullptr;
    mutable QHash<int, QPixmap> art_;  // card backs and markers, each read once
};

}  // namespace morvel
