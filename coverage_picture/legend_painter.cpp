#include "coverage_picture/legend_painter.h"

#include <QFontMetrics>
#include <QString>

#include "coverage_picture/picture_style.h"

namespace tropolink::coverage {
namespace {

constexpr int kWidthPx = 280;
constexpr int kBarWidthPx = 22;
constexpr int kLinePx = 17;
constexpr int kGapPx = 14;

QString text(const std::string& s) { return QString::fromStdString(s); }

QColor qColour(Rgb c) { return {c.r, c.g, c.b}; }

// From the top of the bar: the better end is at the top.
double barY(const ColourScale& scale, double value, int top, int height) {
    return top + (1 - scale.position(value)) * height;
}

int textLines(const PictureInput& input) {
    return 3 + static_cast<int>(input.nodataLines.size()) + (input.scale.limit ? 0 : 2);
}

}  // namespace

QSize legendSize(const PictureInput& input, int barHeightPx) {
    return {kWidthPx, kLinePx + 8 + barHeightPx + kGapPx + textLines(input) * kLinePx};
}

void paintLegend(QPainter& painter, int left, int top, const PictureInput& input, int barHeightPx) {
    const ColourScale& scale = input.scale;
    painter.setPen(style::kInk);
    painter.setFont(style::font(style::kTextPx, true));
    painter.drawText(left, top + style::kTextPx, text(scale.label));
    const int barTop = top + kLinePx + 8;

    for (int y = 0; y < barHeightPx; ++y) {
        const double t = 1 - (y + 0.5) / barHeightPx;  // 1 at the top: the better end
        painter.setPen(qColour(viridis(t)));
        painter.drawLine(left, barTop + y, left + kBarWidthPx - 1, barTop + y);
    }
    painter.setPen(style::kInk);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(left, barTop, kBarWidthPx - 1, barHeightPx - 1);
    painter.setFont(style::font(style::kTextPx));
    const QFontMetrics metrics(painter.font());
    for (const double value : scale.ticks.values) {
        const int y = static_cast<int>(barY(scale, value, barTop, barHeightPx));
        painter.drawLine(left + kBarWidthPx, y, left + kBarWidthPx + 4, y);
        painter.drawText(left + kBarWidthPx + 8, y + metrics.ascent() / 2 - 1, text(scale.ticks.label(value)));
    }
    int y = barTop + barHeightPx + kGapPx;
    painter.drawText(left, y + style::kTextPx, QStringLiteral("Values beyond the scale take its end colours."));
    y += kLinePx + 4;
    if (scale.limit) {
        const int at = static_cast<int>(barY(scale, *scale.limit, barTop, barHeightPx));
        painter.setPen(QPen(style::kLimit, 3));
        painter.drawLine(left - 4, at, left + kBarWidthPx + 4, at);
        painter.setPen(style::kLimit);
        const int labelX = left + kBarWidthPx + 8 + metrics.horizontalAdvance(QStringLiteral("-000.0")) + 10;
        painter.drawText(labelX, at + metrics.ascent() / 2 - 1,
                         QStringLiteral("limit ") + text(scale.ticks.label(*scale.limit)) + " " + text(scale.unit));
        painter.setPen(style::kInk);
    } else {
        painter.drawText(left, y + style::kTextPx, QStringLiteral("No limit: without a link budget"));
        painter.drawText(left, y + kLinePx + style::kTextPx, QStringLiteral("no value is marked as enough."));
        y += 2 * kLinePx;
    }
    y += 4;
    painter.fillRect(left, y, kBarWidthPx, 12, style::kNodata);
    painter.drawRect(left, y, kBarWidthPx - 1, 11);
    painter.drawText(left + kBarWidthPx + 8, y + 11, QStringLiteral("no value:"));
    y += kLinePx;
    for (const std::string& line : input.nodataLines) {
        painter.drawText(left + kBarWidthPx + 8, y + 11, text(line));
        y += kLinePx;
    }
}

}  // namespace tropolink::coverage
