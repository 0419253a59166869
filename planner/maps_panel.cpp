#include "planner/maps_panel.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>
#include <filesystem>
#include <vector>

#include "climate/import.h"
#include "climate/maps_folder.h"
#include "planner/plain_message.h"

namespace tropolink::planner {

QString mapsStatusLine(climate::MapsService& maps) {
    try {
        if (const auto found = maps.find(climate::MapSetId::Climate, std::nullopt))
            return QObject::tr("Climate maps installed in %1.").arg(QString::fromStdString(found->folder().string()));
    } catch (const std::exception& e) {
        return QObject::tr("Climate maps refused: %1").arg(QString::fromStdString(e.what()));
    }
    return QObject::tr("Climate maps not installed: ITU values come from the plan or the defaults.");
}

MapsPanel::MapsPanel(climate::MapsService& maps, QWidget* parent)
    : QWidget(parent), maps_(maps), status_(new QLabel), import_(new QPushButton(tr("&Import maps…"))) {
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);
    status_->setAccessibleName(tr("Climate maps status"));
    import_->setAccessibleName(tr("Import the climate maps"));
    import_->setToolTip(tr("Install N050.TXT, DN50.TXT and TropoClim.txt from the downloaded ITU-R ZIPs"));
    connect(import_, &QPushButton::clicked, this, &MapsPanel::chooseAndImport);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(status_);
    layout->addWidget(import_, 0, Qt::AlignLeft);
    refresh();
}

void MapsPanel::refresh() { status_->setText(mapsStatusLine(maps_)); }

QString MapsPanel::statusText() const { return status_->text(); }

MapsPanel::Imported MapsPanel::importFiles(const QStringList& files) {
    std::vector<std::filesystem::path> paths;
    for (const QString& file : files) paths.emplace_back(file.toStdString());
    Imported result;
    try {
        const climate::ImportResult done = climate::importMaps(paths, climate::installMapsFolder(std::nullopt));
        result = {true, QString::fromStdString(climate::describeImport(done))};
    } catch (const std::exception& e) {
        result = {false, QString::fromStdString(e.what())};
    }
    refresh();
    if (result.installed) emit imported();
    return result;
}

void MapsPanel::chooseAndImport() {
    const QStringList files = QFileDialog::getOpenFileNames(this, tr("Import the climate maps"), QString(),
                                                            tr("ITU-R maps (*.zip *.ZIP *.txt *.TXT);;All files (*)"));
    if (files.isEmpty()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Imported result = importFiles(files);
    QApplication::restoreOverrideCursor();
    plainMessage(this, result.installed ? QMessageBox::Information : QMessageBox::Warning, tr("Climate maps"),
                 result.message);
}

}  // namespace tropolink::planner
