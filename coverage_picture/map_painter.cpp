#include "coverage_picture/map_painter.h"

#include <QFontMetrics>
#include <QString>

#include <cmath>
#include <numbers>

#include "coverage_picture/picture_style.h"
#include "plot/plot_axis.h"

namespace tropolink::coverage {
namespace {

constexpr int kAxisTicks = 5;
constexpr int kTickPx = 5;

// "44.5° N", "71.25° W"; longitudes east of 180 come back round.
QString degrees(const plot::Ticks& ticks, double value, char positive, char negative) {
    if (positive == 'E') value = std::remainder(value, 360.0);
    const QString number = QString::fromStdString(ticks.label(std::fabs(value)));
    return number + QString::fromUtf8("\u00b0 ") + QChar(value < 0 ? negative : positive);
}

void drawScaleBar(QPainter& painter, const QRect& frame, const PictureInput& input) {
    const double kmPerPx = input.widthKm / frame.width();
    const plot::Ticks ticks = plot::ticksWithin({0, kmPerPx * frame.width() / 4}, 2);
    const double km = ticks.values.back() > 0 ? ticks.values.back() : ticks.step;
    const int length = static_cast<int>(std::lround(km / kmPerPx));
    const int x = frame.left() + 12, y = frame.bottom() - 14;
    painter.setPen(QPen(Qt::white, 5));
    painter.drawLine(x, y, x + length, y);
    painter.setPen(QPen(style::kInk, 2));
    painter.drawLine(x, y, x + length, y);
    painter.drawLine(x, y - 4, x, y + 4);
    painter.drawLine(x + length, y - 4, x + length, y + 4);
    painter.drawText(x, y - 7, QString::fromStdString(ticks.label(km)) + QStringLiteral(" km"));
}

}  // namespace

QImage cellImage(const PictureInput& input, QColor nodata) {
    const BandPicture& band = input.band;
    QImage image(band.width, band.height, QImage::Format_ARGB32);
    for (int row = 0; row < band.height; ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int col = 0; col < band.width; ++col) {
            const float v = band.values[static_cast<std::size_t>(row) * static_cast<std::size_t>(band.width) +
                                        static_cast<std::size_t>(col)];
            if (!std::isfinite(v)) {
                line[col] = nodata.rgba();
                continue;
            }
            const Rgb c = input.scale.colour(v);
            line[col] = qRgb(c.r, c.g, c.b);
        }
    }
    return image;
}

QSize mapSize(const PictureInput& input, int longestSidePx) {
    const double wide = input.widthKm, high = input.heightKm;
    if (wide >= high) return {longestSidePx, std::max(1, static_cast<int>(std::lround(longestSidePx * high / wide)))};
    return {std::max(1, static_cast<int>(std::lround(longestSidePx * wide / high))), longestSidePx};
}

void paintMap(QPainter& painter, const QRect& frame, const QImage& cells, const PictureInput& input) {
    painter.drawImage(frame, cells.scaled(frame.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation));
    painter.setPen(style::kInk);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    painter.setFont(style::font(style::kTextPx));
    const QFontMetrics metrics(painter.font());

    const auto xOf = [&](double lon) { return frame.left() + (lon - input.westDeg) / (input.eastDeg - input.westDeg) * frame.width(); };
    const auto yOf = [&](double lat) { return frame.top() + (input.northDeg - lat) / (input.northDeg - input.southDeg) * frame.height(); };
    const plot::Ticks lats = plot::ticksWithin({input.southDeg, input.northDeg}, kAxisTicks);
    for (const double lat : lats.values) {
        const int y = static_cast<int>(std::lround(yOf(lat)));
        painter.drawLine(frame.left() - kTickPx, y, frame.left(), y);
        const QString label = degrees(lats, lat, 'N', 'S');
        painter.drawText(frame.left() - kTickPx - 4 - metrics.horizontalAdvance(label), y + metrics.ascent() / 2 - 1, label);
    }
    const plot::Ticks lons = plot::ticksWithin({input.westDeg, input.eastDeg}, kAxisTicks);
    for (const double lon : lons.values) {
        const int x = static_cast<int>(std::lround(xOf(lon)));
        painter.drawLine(x, frame.bottom() + 1, x, frame.bottom() + kTickPx);
        const QString label = degrees(lons, lon, 'E', 'W');
        painter.drawText(x - metrics.horizontalAdvance(label) / 2, frame.bottom() + kTickPx + 3 + metrics.ascent(), label);
    }

    // The site: a white ring with a dark edge, seen on any colour.
    const QPointF site(xOf(input.site.lonDeg), yOf(input.site.latDeg));
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(style::kInk, 2));
    painter.setBrush(Qt::white);
    painter.drawEllipse(site, 5, 5);
    painter.setBrush(Qt::NoBrush);
    drawScaleBar(painter, frame, input);
}

}  // namespace tropolink::coverage
