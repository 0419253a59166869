#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace tropolink::planner {

// Whether the ITU-R climate maps are installed, and a button that installs
// them from the ZIPs or files the user downloaded.
class MapsPanel : public QWidget {
    Q_OBJECT
public:
    explicit MapsPanel(QWidget* parent = nullptr);
    void refresh();
    QString statusText() const;

signals:
    void imported();

private:
    void importFiles();

    QLabel* status_;
    QPushButton* import_;
};

// One line on the maps found in the folders lookups search.
QString mapsStatusLine();

}  // namespace tropolink::planner
