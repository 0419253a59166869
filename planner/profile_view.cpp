#include "planner/profile_view.h"

#include <QPainter>
#include <QSvgRenderer>

namespace tropolink::planner {

ProfileView::ProfileView(QWidget* parent) : QWidget(parent), renderer_(new QSvgRenderer(this)) {
    setMinimumSize(240, 120);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setFocusPolicy(Qt::StrongFocus);  // a screen reader reaches its description by Tab
}

void ProfileView::setPicture(const QByteArray& svg, const QString& absent) {
    absent_ = absent;
    if (svg.isEmpty()) {
        renderer_->load(QByteArray());
    } else {
        renderer_->load(svg);
    }
    update();
}

bool ProfileView::hasPicture() const { return renderer_->isValid(); }

QSize ProfileView::sizeHint() const { return {640, 320}; }

void ProfileView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    if (!renderer_->isValid()) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, absent_);
        return;
    }
    QSizeF size = renderer_->defaultSize();
    size.scale(QSizeF(this->size()), Qt::KeepAspectRatio);
    const QRectF target((width() - size.width()) / 2, (height() - size.height()) / 2, size.width(), size.height());
    renderer_->render(&painter, target);
}

}  // namespace tropolink::planner
