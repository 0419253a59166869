#include "ui/appearance.h"

#include <QApplication>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QStyleFactory>

namespace tropolink {
namespace {

constexpr double kSmallestPointSize = 6.0;
constexpr double kPointSizeStep = 0.25;

bool captionFits(const QLabel& label, const QFont& font) {
    const QRect box = label.contentsRect();
    int flags = static_cast<int>(label.alignment());
    if (label.wordWrap()) flags |= Qt::TextWordWrap;
    const QRect needed = QFontMetrics(font).boundingRect(box, flags, label.text());
    return needed.width() <= box.width() && needed.height() <= box.height();
}

}  // namespace

QFont requestedFont(double pointSize, bool bold) {
    QFont font;
    // Liberation Sans and Arimo share Arial's widths; DejaVu Sans is wider but always present.
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                      QStringLiteral("Arial"), QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void fitCaption(QLabel& label) {
    QFont font = label.font();
    while (!captionFits(label, font) && font.pointSizeF() - kPointSizeStep >= kSmallestPointSize)
        font.setPointSizeF(font.pointSizeF() - kPointSizeStep);
    if (font != label.font()) label.setFont(font);
}

void configureApplication(QApplication& app) {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setApplicationName(QStringLiteral("tropolink"));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
    app.setWindowIcon(QIcon::fromTheme(QString::fromLatin1(kApplicationId)));
}

}  // namespace tropolink
