#include "coverage_picture/qt_pictures.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <stdexcept>

#include "coverage_picture/legend_painter.h"
#include "coverage_picture/map_painter.h"
#include "coverage_picture/picture_style.h"

namespace tropolink::coverage {
namespace {

constexpr int kMapSidePx = 720;
constexpr int kMarginPx = 16;
constexpr int kLatLabelsPx = 74;
constexpr int kLonLabelsPx = 28;
constexpr int kLegendGapPx = 28;
constexpr int kLinePx = 17;
constexpr int kLegendBarPx = 300;
constexpr int kStandaloneLegendPad = 10;

std::string png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) throw std::runtime_error("Qt cannot encode the picture as PNG");
    return bytes.toStdString();
}

QImage blank(QSize size) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    return image;
}

void prepare(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
}

QImage wholePicture(const PictureInput& input, const QImage& cells) {
    const QSize map = mapSize(input, kMapSidePx);
    const QSize legend = legendSize(input, kLegendBarPx);
    const int headerPx = kMarginPx + style::kTitlePx + 8 + static_cast<int>(input.lines.size()) * kLinePx + 10;
    const int width = kMarginPx + kLatLabelsPx + map.width() + kLegendGapPx + legend.width() + kMarginPx;
    const int height = headerPx + std::max(map.height() + kLonLabelsPx, legend.height()) + kMarginPx;
    QImage image = blank({width, height});
    QPainter painter(&image);
    prepare(painter);
    painter.setPen(style::kInk);
    painter.setFont(style::font(style::kTitlePx, true));
    painter.drawText(kMarginPx, kMarginPx + style::kTitlePx, QString::fromStdString(input.title));
    painter.setFont(style::font(style::kTextPx));
    int y = kMarginPx + style::kTitlePx + 8;
    for (const std::string& line : input.lines) {
        painter.drawText(kMarginPx, y + style::kTextPx, QString::fromStdString(line));
        y += kLinePx;
    }
    const QRect frame(kMarginPx + kLatLabelsPx, headerPx, map.width(), map.height());
    paintMap(painter, frame, cells, input);
    prepare(painter);
    paintLegend(painter, frame.right() + kLegendGapPx, headerPx, input, kLegendBarPx);
    return image;
}

QImage standaloneLegend(const PictureInput& input) {
    const QSize size = legendSize(input, kLegendBarPx);
    QImage image = blank(size + QSize(2 * kStandaloneLegendPad, 2 * kStandaloneLegendPad + kLinePx));
    QPainter painter(&image);
    prepare(painter);
    painter.setPen(style::kInk);
    painter.setFont(style::font(style::kTextPx, true));
    painter.drawText(kStandaloneLegendPad, kStandaloneLegendPad + style::kTextPx, QString::fromStdString(input.title));
    paintLegend(painter, kStandaloneLegendPad + 4, kStandaloneLegendPad + kLinePx + 6, input, kLegendBarPx);
    return image;
}

}  // namespace

Pictures QtPictureRenderer::render(const PictureInput& input) {
    const QImage cells = cellImage(input, style::kNodata);
    Pictures pictures;
    pictures.png = png(wholePicture(input, cells));
    pictures.overlayPng = png(cellImage(input, Qt::transparent));
    pictures.legendPng = png(standaloneLegend(input));
    return pictures;
}

}  // namespace tropolink::coverage
