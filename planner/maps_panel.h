#pragma once

#include <QMetaType>
#include <QStringList>
#include <QThreadPool>
#include <QWidget>

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>

#include "climate/import.h"
#include "climate/maps_service.h"

class QLabel;
class QProgressDialog;
class QPushButton;

namespace tropolink::planner {

// What installs maps; climate::importMaps unless a test puts a slower one in.
using MapsImportFunction = std::function<climate::ImportResult(
    std::span<const std::filesystem::path>, const std::filesystem::path&, const climate::ImportOptions&)>;

// Whether the ITU-R climate maps are installed, and a button that installs
// them from the ZIPs or files the user downloaded. The status is the maps
// service's: the maps the next run reads. An import runs off the window's
// thread, with its progress and a Cancel that installs nothing.
class MapsPanel : public QWidget {
    Q_OBJECT
public:
    explicit MapsPanel(climate::MapsService& maps = climate::MapsService::shared(), QWidget* parent = nullptr,
                       MapsImportFunction import = nullptr);
    ~MapsPanel() override;
    void refresh();
    QString statusText() const;
    // What an import installed, or why nothing was.
    struct Imported {
        bool installed = false;
        QString message;
    };
    // Starts installing the maps found in `files` into the user's maps
    // folder; importFinished tells the outcome. False while one is running.
    bool startImport(const QStringList& files);
    // Stops the running import; it finishes as cancelled, having installed nothing.
    void cancelImport();
    bool importing() const { return stop_ != nullptr; }
    // The running import's progress: one step a file, full at its end.
    QProgressDialog* importProgress() const { return progress_; }

signals:
    // Maps were installed: the next run reads them.
    void imported();
    void importFinished(const tropolink::planner::MapsPanel::Imported& result);

private:
    void chooseAndImport();
    void showProgress(const QString& source, int fileIndex);
    void finishImport(const Imported& result);

    climate::MapsService& maps_;
    MapsImportFunction import_;
    QLabel* status_;
    QPushButton* importButton_;
    QProgressDialog* progress_;
    std::shared_ptr<std::atomic<bool>> stop_;  // of the running import; none when idle
    bool announce_ = false;                    // a message box tells the outcome (the user's own import)
    // Last, so that the import's thread ends before the members it uses.
    QThreadPool pool_;
};

// One line on the climate maps the service finds in the folders it searches.
QString mapsStatusLine(climate::MapsService& maps);

}  // namespace tropolink::planner
Q_DECLARE_METATYPE(tropolink::planner::MapsPanel::Imported)
