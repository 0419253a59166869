#pragma once

#include <QStringList>
#include <QWidget>

#include "climate/maps_service.h"

class QLabel;
class QPushButton;

namespace tropolink::planner {

// Whether the ITU-R climate maps are installed, and a button that installs
// them from the ZIPs or files the user downloaded. The status is the maps
// service's: the maps the next run reads.
class MapsPanel : public QWidget {
    Q_OBJECT
public:
    explicit MapsPanel(climate::MapsService& maps = climate::MapsService::shared(), QWidget* parent = nullptr);
    void refresh();
    QString statusText() const;
    // Installs the maps found in `files` into the user's maps folder and
    // tells whoever listens. What was installed, or why nothing was.
    struct Imported {
        bool installed = false;
        QString message;
    };
    Imported importFiles(const QStringList& files);

signals:
    // Maps were installed: the next run reads them.
    void imported();

private:
    void chooseAndImport();

    climate::MapsService& maps_;
    QLabel* status_;
    QPushButton* import_;
};

// One line on the climate maps the service finds in the folders it searches.
QString mapsStatusLine(climate::MapsService& maps);

}  // namespace tropolink::planner
