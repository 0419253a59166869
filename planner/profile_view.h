#pragma once

#include <QWidget>

class QSvgRenderer;

namespace tropolink::planner {

// The terrain profile picture, scaled to the widget with its proportions kept.
class ProfileView : public QWidget {
    Q_OBJECT
public:
    explicit ProfileView(QWidget* parent = nullptr);
    // An empty picture shows `absent` instead.
    void setPicture(const QByteArray& svg, const QString& absent = QString());
    bool hasPicture() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer* renderer_;
    QString absent_;
};

}  // namespace tropolink::planner
