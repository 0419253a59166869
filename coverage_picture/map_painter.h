#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>

#include "coverage/coverage_picture.h"

// The map itself: a pixel a cell in the scale's colours, and the map drawn
// in a frame with latitudes, longitudes, the site and a scale bar.
namespace tropolink::coverage {

// A pixel a cell, north row first; nodata cells in `nodata` (transparent for an overlay).
QImage cellImage(const PictureInput& input, QColor nodata);

// The size the map takes at most `longestSidePx`, its sides in the ground's
// proportions at the site's latitude.
QSize mapSize(const PictureInput& input, int longestSidePx);

// The map in `frame`, with its axes' labels outside the frame.
void paintMap(QPainter& painter, const QRect& frame, const QImage& cells, const PictureInput& input);

}  // namespace tropolink::coverage
