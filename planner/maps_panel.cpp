#include "planner/maps_panel.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include "planner/plain_message.h"
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>
#include <filesystem>
#include <vector>

#include "climate/import.h"
#include "climate/maps_folder.h"
#include "climate/status.h"

namespace tropolink::planner {

QString mapsStatusLine() {
    const auto candidates = climate::candidateMapsFolders(std::nullopt);
    if (const auto folder = climate::findMapsFolder(candidates)) {
        for (const climate::MapStatus& status : climate::mapsStatus(*folder)) {
            if (!status.valid) {
                return QObject::tr("Climate maps in %1: %2")
                    .arg(QString::fromStdString(folder->string()), QString::fromStdString(status.problem));
            }
        }
        return QObject::tr("Climate maps installed in %1.").arg(QString::fromStdString(folder->string()));
    }
    return QObject::tr("Climate maps not installed: ITU values come from the plan or the defaults.");
}

MapsPanel::MapsPanel(QWidget* parent)
    : QWidget(parent), status_(new QLabel), import_(new QPushButton(tr("&Import maps…"))) {
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);
    status_->setAccessibleName(tr("Climate maps status"));
    import_->setAccessibleName(tr("Import the climate maps"));
    import_->setToolTip(tr("Install N050.TXT, DN50.TXT and TropoClim.txt from the downloaded ITU-R ZIPs"));
    connect(import_, &QPushButton::clicked, this, &MapsPanel::importFiles);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(status_);
    layout->addWidget(import_, 0, Qt::AlignLeft);
    refresh();
}

void MapsPanel::refresh() { status_->setText(mapsStatusLine()); }

QString MapsPanel::statusText() const { return status_->text(); }

void MapsPanel::importFiles() {
    const QStringList files = QFileDialog::getOpenFileNames(this, tr("Import the climate maps"), QString(),
                                                            tr("ITU-R maps (*.zip *.ZIP *.txt *.TXT);;All files (*)"));
    if (files.isEmpty()) return;
    std::vector<std::filesystem::path> paths;
    for (const QString& file : files) paths.emplace_back(file.toStdString());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        const auto result = climate::importMaps(paths, climate::installMapsFolder(std::nullopt));
        QApplication::restoreOverrideCursor();
        plainMessage(this, QMessageBox::Information, tr("Climate maps"), QString::fromStdString(climate::describeImport(result)));
    } catch (const std::exception& e) {
        QApplication::restoreOverrideCursor();
        plainMessage(this, QMessageBox::Warning, tr("Climate maps"), QString::fromStdString(e.what()));
    }
    refresh();
    emit imported();
}

}  // namespace tropolink::planner
