// The planner against hostile input: Import maps… off the window's thread,
// with its progress and a Cancel that leaves the maps folder as it was; a ZIP
// that fans out, a plan nested 40 000 deep and a FIFO as the plan refused
// without freezing or killing the window; memory that runs out said in words.
#include <sys/stat.h>

#include <QApplication>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <atomic>
#include <filesystem>
#include <map>
#include <new>
#include <string>

#include "planner/maps_panel.h"
#include "planner/plan_editor.h"
#include "planner/results_view.h"
#include "planner_test_support.h"
#include "tests/climate/stored_zip.h"
#include "tests/climate/synthetic_maps.h"

using namespace tropolink;
using namespace tropolink::planner;
using namespace tropolink::planner::testing;
namespace fs = std::filesystem;

namespace {

QStringList writeMaps(const fs::path& folder, int zone) {
    fs::create_directories(folder);
    climate::testing::writeFile(folder / "N050.TXT", climate::testing::n0Text());
    climate::testing::writeFile(folder / "DN50.TXT", climate::testing::deltaNText());
    climate::testing::writeFile(folder / "TropoClim.txt", climate::testing::zoneText(zone));
    return {QString::fromStdString((folder / "N050.TXT").string()), QString::fromStdString((folder / "DN50.TXT").string()),
            QString::fromStdString((folder / "TropoClim.txt").string())};
}

std::map<std::string, std::string> folderContents(const fs::path& folder) {
    std::map<std::string, std::string> contents;
    for (const auto& entry : fs::directory_iterator(folder))
        contents[entry.path().filename().string()] = climate::testing::readFile(entry.path());
    return contents;
}

// Until the panel's import is over, then its outcome.
MapsPanel::Imported waitForImport(QSignalSpy& finished) {
    if (finished.isEmpty() && !finished.wait(kWaitMs)) return {false, QStringLiteral("the import never finished")};
    return finished.takeFirst().at(0).value<MapsPanel::Imported>();
}

// Opens `path` in a new window; the text of the message box that refuses it.
QString openRefused(const QString& path) {
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->close();
        }
    });
    PlannerWindow window;
    if (window.openPlan(path)) return QStringLiteral("opened");
    return shown;
}

}  // namespace

class PlannerHostileTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir home_;
    fs::path installed_;  // where an import puts the maps
    fs::path downloads_;

private slots:
    void initTestCase() { qRegisterMetaType<MapsPanel::Imported>(); }

    void init() {
        qputenv("XDG_DATA_HOME", home_.filePath(QStringLiteral("data")).toUtf8());
        installed_ = fs::path(home_.filePath(QStringLiteral("data")).toStdString()) / "tropolink" / "itu-r";
        downloads_ = fs::path(home_.path().toStdString()) / "downloads";
        fs::remove_all(installed_);
        fs::remove_all(downloads_);
    }

    void progressReachesTheEndAndTheMapsAreInstalled() {
        MapsPanel panel;
        QSignalSpy finished(&panel, &MapsPanel::importFinished);
        QVERIFY(panel.startImport(writeMaps(downloads_, 5)));
        QVERIFY(panel.importing());
        QVERIFY(!panel.startImport({}));  // one import at a time
        const MapsPanel::Imported result = waitForImport(finished);
        QVERIFY2(result.installed, qPrintable(result.message));
        QCOMPARE(panel.importProgress()->maximum(), 3);
        QCOMPARE(panel.importProgress()->value(), 3);
        QVERIFY(!panel.importProgress()->isVisible());
        QVERIFY(!panel.importing());
        QCOMPARE(folderContents(installed_).size(), 3u);
        QVERIFY(panel.statusText().contains(QString::fromStdString(installed_.string())));
    }

    // Cancel while the import reads: the maps already installed stay as they
    // were, and nothing half-written is left beside them.
    void cancelLeavesTheMapsFolderAsItWas() {
        writeMaps(installed_, 2);
        const auto before = folderContents(installed_);
        std::atomic<bool> onWindowThread{true};
        const MapsImportFunction slowImport = [&](std::span<const fs::path> files, const fs::path& folder,
                                                   const climate::ImportOptions& options) {
            onWindowThread = QThread::currentThread() == qApp->thread();
            options.progress(files.front().string(), 0, 0);
            // Reading takes its time, until Cancel; bounded so that a fault cannot hang the test.
            for (int i = 0; i < kWaitMs / 5 && !options.stop->load(); ++i) QThread::msleep(5);
            return climate::importMaps(files, folder, options);
        };
        MapsPanel panel(climate::MapsService::shared(), nullptr, slowImport);
        QSignalSpy finished(&panel, &MapsPanel::importFinished);
        QVERIFY(panel.startImport(writeMaps(downloads_, 5)));
        QVERIFY(QTest::qWaitFor([&] { return panel.importProgress()->labelText().contains(QStringLiteral("N050.TXT")); },
                                kWaitMs));
        QVERIFY(panel.importProgress()->isVisible());
        auto* cancel = panel.importProgress()->findChild<QPushButton*>();
        QVERIFY(cancel != nullptr);
        QTest::mouseClick(cancel, Qt::LeftButton);
        const MapsPanel::Imported result = waitForImport(finished);
        QVERIFY(!result.installed);
        QVERIFY2(result.message.contains(QStringLiteral("cancelled")), qPrintable(result.message));
        QVERIFY(!onWindowThread);
        QCOMPARE(folderContents(installed_), before);
        QVERIFY(panel.startImport(writeMaps(downloads_, 5)));  // the next import is not cancelled
        QVERIFY(QTest::qWaitFor([&] { return panel.importing(); }, kWaitMs));
        panel.cancelImport();
        QVERIFY(!waitForImport(finished).installed);
    }

    // Four levels of 300 entries pointing at one nested ZIP: refused at the
    // member limit, while the window's thread goes on handling events.
    void aZipThatFansOutIsRefusedWithoutFreezingTheWindow() {
        std::string zip = climate::testing::storedZip({{"readme.txt", "nothing here", {}}});
        for (int level = 0; level < 4; ++level) {
            std::vector<std::pair<std::string, std::size_t>> aliases;
            for (int i = 0; i < 299; ++i) aliases.emplace_back("c" + std::to_string(10000 + i).substr(1) + ".zip", 0);
            zip = climate::testing::storedZip({{"inner.zip", zip, {}}}, aliases);
        }
        fs::create_directories(downloads_);
        climate::testing::writeFile(downloads_ / "fan.zip", zip);
        MapsPanel panel;
        QSignalSpy finished(&panel, &MapsPanel::importFinished);
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start(0);
        QVERIFY(panel.startImport({QString::fromStdString((downloads_ / "fan.zip").string())}));
        const MapsPanel::Imported result = waitForImport(finished);
        QVERIFY(!result.installed);
        QVERIFY2(result.message.contains(QStringLiteral("more than 10000 members")), qPrintable(result.message));
        QVERIFY(ticks > 0);
        QVERIFY(!fs::exists(installed_ / "N050.TXT"));
    }

    void aPlanNested40000DeepIsRefused() {
        std::string header = "[a";
        for (int i = 1; i < 40000; ++i) header += ".a";
        fs::create_directories(downloads_);
        climate::testing::writeFile(downloads_ / "deep.tropolink.toml", header + "]\n");
        const QString shown = openRefused(QString::fromStdString((downloads_ / "deep.tropolink.toml").string()));
        QVERIFY2(shown.contains(QStringLiteral("nested more than 64 deep")), qPrintable(shown));
    }

    // Opening a FIFO for reading would block the window's thread until a writer came.
    void aFifoAsThePlanIsRefusedWithoutBlocking() {
        fs::create_directories(downloads_);
        const fs::path fifo = downloads_ / "plan.tropolink.toml";
        QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
        const QString shown = openRefused(QString::fromStdString(fifo.string()));
        QVERIFY2(shown.contains(QStringLiteral("FIFO")), qPrintable(shown));
    }

    void memoryThatRunsOutIsSaidInWords() {
        PlannerWindow window([](const CheckedPlan&, const MapsInUse&, const PlanRunControl&) -> PlanResult {
            throw std::bad_alloc();
        });
        QVERIFY(window.openPlan(kSliderPlan));
        QVERIFY(waitIdle(window));
        const QString error = window.planEditor()->generalError();
        QVERIFY2(error.startsWith(QStringLiteral("Out of memory")), qPrintable(error));
        QVERIFY(window.results()->stale());
    }
};

QTEST_MAIN(PlannerHostileTest)
#include "planner_hostile_test.moc"
