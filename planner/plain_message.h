#pragma once

#include <QMessageBox>

namespace tropolink::planner {

// A message box whose text is shown as it is: file names and plan texts in
// it are never read as markup.
inline void plainMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace tropolink::planner
