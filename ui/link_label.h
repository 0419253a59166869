#pragma once

#include <QLabel>

namespace tropolink {

// A label that reports a click, for the link to the description page. An
// address too long for the box is shown shortened in the middle; text()
// keeps it whole.
class LinkLabel final : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tropolink
