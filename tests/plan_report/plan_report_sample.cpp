// Writes sample reports for the browser test: a plain plan, a plan on the
// hill profile, and one with markup-like text in every text field.
#include <fstream>
#include <iostream>

#include "plan_report/plan_report.h"
#include "report_fixture.h"
#include "tropolink_version.h"

namespace {

// Every character that could end a text, a tag, a style or an attribute.
constexpr const char* kHostileText = "<script>document.title='ran'</script></style>\"&amp;\"<img src=x onerror=alert(1)>";

bool write(const std::filesystem::path& file, const tropolink::test::ReportFixture& f) {
    const tropolink::ReportStamp stamp{"2026-12-09 12:00 UTC", TROPOLINK_VERSION, f.plan.file.filename().string()};
    std::ofstream out(file, std::ios::binary);
    out << tropolink::planReportHtml(f.plan, f.result, stamp);
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: plan_report_sample FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    const bool ok = write(folder / "settings.html", tropolink::test::settingsFixture()) &&
                    write(folder / "profile.html", tropolink::test::profileFixture()) &&
                    write(folder / "mechanisms.html", tropolink::test::mechanismFixture()) &&
                    write(folder / "hostile.html", tropolink::test::mechanismFixture(kHostileText));
    return ok ? 0 : 1;
}
