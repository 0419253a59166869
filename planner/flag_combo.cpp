#include "planner/flag_combo.h"

#include <QAccessibleWidget>
#include <QWheelEvent>

namespace tropolink::planner {
namespace {

// Qt's own interface names a combo box by its current text on Linux, so two
// combos showing "default (false)" would be read alike.
class FlagComboAccessible : public QAccessibleWidget {
public:
    explicit FlagComboAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::ComboBox) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return static_cast<QComboBox*>(widget())->currentText();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* flagComboAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(FlagCombo::staticMetaObject.className()) && object->isWidgetType())
        return new FlagComboAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

}  // namespace

FlagCombo::FlagCombo(QWidget* parent) : QComboBox(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(flagComboAccessible);
        return true;
    }();
    (void)installed;
    setFocusPolicy(Qt::StrongFocus);  // not WheelFocus: a wheel passing over it takes no focus
}

void FlagCombo::wheelEvent(QWheelEvent* event) {
    if (!hasFocus()) {
        event->ignore();  // on to the scroll area
        return;
    }
    QComboBox::wheelEvent(event);
}

}  // namespace tropolink::planner
