#include "planner/maps_panel.h"

#include <QFileDialog>
#include <QLabel>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>
#include <string>
#include <vector>

#include "climate/maps_folder.h"
#include "planner/error_text.h"
#include "planner/plain_message.h"

namespace tropolink::planner {

QString mapsStatusLine(climate::MapsService& maps) {
    try {
        if (const auto found = maps.find(climate::MapSetId::Climate, std::nullopt))
            return QObject::tr("Climate maps installed in %1.").arg(QString::fromStdString(found->folder().string()));
    } catch (const std::exception& e) {
        return QObject::tr("Climate maps refused: %1").arg(errorText(e));
    }
    return QObject::tr("Climate maps not installed: ITU values come from the plan or the defaults.");
}

MapsPanel::MapsPanel(climate::MapsService& maps, QWidget* parent, MapsImportFunction import)
    : QWidget(parent),
      maps_(maps),
      import_(import ? std::move(import)
                     : MapsImportFunction([](std::span<const std::filesystem::path> files,
                                             const std::filesystem::path& folder, const climate::ImportOptions& o) {
                           return climate::importMaps(files, folder, o);
                       })),
      status_(new QLabel),
      importButton_(new QPushButton(tr("&Import maps…"))),
      progress_(new QProgressDialog(this)) {
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);
    status_->setAccessibleName(tr("Climate maps status"));
    importButton_->setAccessibleName(tr("Import the climate maps"));
    importButton_->setToolTip(tr("Install N050.TXT, DN50.TXT and TropoClim.txt from the downloaded ITU-R ZIPs"));
    connect(importButton_, &QPushButton::clicked, this, &MapsPanel::chooseAndImport);
    progress_->setWindowTitle(tr("Importing the climate maps"));
    progress_->setAccessibleName(tr("Climate maps import"));
    auto* bar = new QProgressBar;
    bar->setAccessibleName(tr("Climate maps import progress"));
    progress_->setBar(bar);
    auto* cancel = new QPushButton(tr("Cancel"));
    cancel->setAccessibleName(tr("Cancel the import"));
    progress_->setCancelButton(cancel);
    progress_->setAutoReset(false);
    progress_->setAutoClose(false);
    progress_->setMinimumDuration(0);
    progress_->reset();  // a QProgressDialog shows itself some time after it is made
    connect(progress_, &QProgressDialog::canceled, this, &MapsPanel::cancelImport);
    pool_.setMaxThreadCount(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(status_);
    layout->addWidget(importButton_, 0, Qt::AlignLeft);
    refresh();
}

MapsPanel::~MapsPanel() {
    cancelImport();
    pool_.waitForDone();
}

void MapsPanel::refresh() { status_->setText(mapsStatusLine(maps_)); }

QString MapsPanel::statusText() const { return status_->text(); }

bool MapsPanel::startImport(const QStringList& files) {
    if (importing()) return false;
    std::vector<std::filesystem::path> paths;
    std::vector<std::string> names;
    for (const QString& file : files) {
        paths.emplace_back(file.toStdString());
        names.push_back(paths.back().string());
    }
    stop_ = std::make_shared<std::atomic<bool>>(false);
    importButton_->setEnabled(false);
    progress_->reset();  // forgets an earlier Cancel
    progress_->setRange(0, static_cast<int>(files.size()));
    progress_->setValue(0);
    progress_->setLabelText(tr("Reading %1").arg(files.value(0)));
    progress_->show();

    pool_.start([this, paths = std::move(paths), names = std::move(names), stop = stop_] {
        climate::ImportOptions options;
        options.stop = stop.get();
        // The file being read, by its place among those given: a ZIP member's name starts with its ZIP's.
        options.progress = [this, &names](std::string_view source, std::uint64_t, std::uint64_t) {
            int index = 0;
            for (std::size_t i = 0; i < names.size(); ++i)
                if (source.starts_with(names[i])) index = static_cast<int>(i);
            QMetaObject::invokeMethod(
                this, [this, shown = QString::fromUtf8(source.data(), static_cast<qsizetype>(source.size())),
                       index] { showProgress(shown, index); },
                Qt::QueuedConnection);
        };
        Imported result;
        try {
            const climate::ImportResult done = import_(paths, climate::installMapsFolder(std::nullopt), options);
            result = {true, QString::fromStdString(climate::describeImport(done))};
        } catch (const std::exception& e) {
            result = {false, errorText(e)};
        }
        QMetaObject::invokeMethod(this, [this, result] { finishImport(result); }, Qt::QueuedConnection);
    });
    return true;
}

void MapsPanel::cancelImport() {
    if (stop_) stop_->store(true);
}

void MapsPanel::showProgress(const QString& source, int fileIndex) {
    if (!importing()) return;
    progress_->setValue(fileIndex);
    progress_->setLabelText(tr("Reading %1").arg(source));
}

void MapsPanel::finishImport(const Imported& result) {
    stop_.reset();
    progress_->setValue(progress_->maximum());
    progress_->hide();
    importButton_->setEnabled(true);
    refresh();
    if (result.installed) emit imported();
    emit importFinished(result);
    if (announce_) {
        announce_ = false;
        plainMessage(this, result.installed ? QMessageBox::Information : QMessageBox::Warning, tr("Climate maps"),
                     result.message);
    }
}

void MapsPanel::chooseAndImport() {
    const QStringList files = QFileDialog::getOpenFileNames(this, tr("Import the climate maps"), QString(),
                                                            tr("ITU-R maps (*.zip *.ZIP *.txt *.TXT);;All files (*)"));
    if (files.isEmpty()) return;
    announce_ = startImport(files);
}

}  // namespace tropolink::planner
