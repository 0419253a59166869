// Opens the calculator window and runs the event loop until EXIT or close.
#include <QApplication>

#include "ui/appearance.h"
#include "ui/description_page.h"
#include "ui/form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tropolink::configureApplication(app);
    tropolink::Form1 window(tropolink::descriptionPageUrl());
    window.show();
    return QApplication::exec();
}
