// Renders the calculator window after one START to a PNG file, for the documentation.
// Usage: tropolink-screenshot OUTPUT.png DESCRIPTION-PAGE-PATH
#include <QApplication>
#include <QPixmap>
#include <QPushButton>
#include <cstdio>

#include "ui/appearance.h"
#include "ui/form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 3) {
        std::fputs("usage: tropolink-screenshot OUTPUT.png DESCRIPTION-PAGE-PATH\n", stderr);
        return 2;
    }
    tropolink::configureApplication(app);
    tropolink::Form1 window(QUrl::fromLocalFile(args[2]));
    window.show();
    window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    QApplication::processEvents();
    if (!window.grab().save(args[1])) {
        std::fprintf(stderr, "tropolink-screenshot: cannot write %s\n", qPrintable(args[1]));
        return 1;
    }
    return 0;
}
