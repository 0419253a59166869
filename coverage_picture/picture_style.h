#pragma once

#include <QColor>
#include <QFont>

// What every part of a coverage picture shares: its fonts and plain colours.
namespace tropolink::coverage::style {

inline constexpr int kTextPx = 12;
inline constexpr int kTitlePx = 17;
inline const QColor kInk{0x22, 0x22, 0x22};
inline const QColor kNodata{0xdc, 0xdc, 0xdc};  // cells without a value, in the picture
inline const QColor kLimit{0xd0, 0x10, 0x10};

inline QFont font(int pixelSize, bool bold = false) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

}  // namespace tropolink::coverage::style
