#pragma once

#include <QPainter>
#include <QSize>

#include "coverage/coverage_picture.h"

// The colour scale with its values, the limit (or the note that there is
// none) and the nodata cells by kind with their counts.
namespace tropolink::coverage {

QSize legendSize(const PictureInput& input, int barHeightPx);
// Draws the legend with its top-left corner at `left`, `top`.
void paintLegend(QPainter& painter, int left, int top, const PictureInput& input, int barHeightPx);

}  // namespace tropolink::coverage
