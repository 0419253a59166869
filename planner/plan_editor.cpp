#include "planner/plan_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "planner/flag_combo.h"
#include "planner/maps_panel.h"
#include "planner/plan_fields.h"

namespace tropolink::planner {
namespace {

constexpr int kFlagDefault = 0;
constexpr int kFlagTrue = 1;
constexpr int kFlagFalse = 2;

QString qs(const std::string& s) { return QString::fromStdString(s); }

QString tooltipOf(const PlanField& field) {
    QString tip = qs(field.dotted);
    if (!field.allowed.empty()) tip += QStringLiteral(": ") + qs(field.allowed);
    if (!field.defaultText.empty()) tip += QStringLiteral(" (default ") + qs(field.defaultText) + QStringLiteral(")");
    return tip;
}

QString accessibleNameOf(const PlanField& field, const std::string& unit) {
    QString name = qs(field.group) + QStringLiteral(" ") + qs(field.label);
    if (!unit.empty()) name += QStringLiteral(" (") + qs(unit) + QStringLiteral(")");
    return name;
}

QString accessibleNameOf(const PlanField& field) { return accessibleNameOf(field, field.unit); }

// The unit a field shows: power-div-1000 turns the powers' watts into milliwatts.
std::string unitOf(const PlanField& field, bool milliwatts) {
    return milliwatts && field.key->name == "tx-power" ? std::string("mW") : field.unit;
}

QLabel* plainLabel(const QString& text) {
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

PlanEditor::PlanEditor(QWidget* parent) : QWidget(parent), generalError_(new QLabel), maps_(new MapsPanel) {
    generalError_->setTextFormat(Qt::PlainText);
    generalError_->setWordWrap(true);
    generalError_->setStyleSheet(QStringLiteral("color: #b01010;"));
    generalError_->setAccessibleName(tr("Plan error"));
    generalError_->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(generalError_);

    QGroupBox* box = nullptr;
    QGridLayout* grid = nullptr;
    std::string group;
    const std::vector<PlanField>& fields = planFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const PlanField& field = fields[i];
        if (field.group != group) {
            group = field.group;
            box = new QGroupBox(qs(group));
            box->setAccessibleName(qs(group));
            grid = new QGridLayout(box);
            grid->setColumnStretch(1, 1);
            layout->addWidget(box);
        }
        Row& row = rows_[field.dotted];
        row.field = &field;
        QLabel* label = plainLabel(qs(field.label));
        label->setWordWrap(true);
        QWidget* editor = makeEditor(field, row, box);
        label->setBuddy(row.editor);
        row.error = plainLabel(QString());
        row.error->setWordWrap(true);
        row.error->setStyleSheet(QStringLiteral("color: #b01010;"));
        row.error->setAccessibleName(accessibleNameOf(field) + tr(" error"));
        row.error->hide();
        const int r = grid->rowCount();
        grid->addWidget(label, r, 0);
        grid->addWidget(editor, r, 1);
        row.unit = plainLabel(qs(field.unit));
        grid->addWidget(row.unit, r, 2);
        grid->addWidget(row.error, r + 1, 0, 1, 3);
        // The maps' status follows the values they give.
        const bool lastFromMaps = i + 1 == fields.size() || fields[i + 1].kind != FieldKind::MapValue;
        if (lastFromMaps && field.kind == FieldKind::MapValue) grid->addWidget(maps_, r + 2, 0, 1, 3);
    }
    layout->addStretch(1);
    if (auto* power = qobject_cast<QComboBox*>(editor("power-div-1000")))
        connect(power, &QComboBox::currentIndexChanged, this, &PlanEditor::showPowerUnits);
}

void PlanEditor::showPowerUnits() {
    const auto* power = qobject_cast<QComboBox*>(editor("power-div-1000"));
    const bool milliwatts = power && power->currentIndex() == kFlagTrue;
    for (auto& [key, row] : rows_) {
        if (row.field->key->name != "tx-power") continue;
        const std::string unit = unitOf(*row.field, milliwatts);
        row.unit->setText(qs(unit));
        row.editor->setAccessibleName(accessibleNameOf(*row.field, unit));
    }
}

QWidget* PlanEditor::makeEditor(const PlanField& field, Row& row, QWidget* parent) {
    const QString name = accessibleNameOf(field);
    const QString tip = tooltipOf(field);
    auto lineEdit = [&] {
        auto* edit = new QLineEdit(parent);
        edit->setPlaceholderText(qs(field.defaultText));
        edit->setAccessibleName(name);
        edit->setToolTip(tip);
        connect(edit, &QLineEdit::textChanged, this, &PlanEditor::changed);
        row.editor = edit;
        return edit;
    };
    switch (field.kind) {
        case FieldKind::Number:
        case FieldKind::Text:
        case FieldKind::Site:
        case FieldKind::NumberList:
            return lineEdit();
        case FieldKind::LongText: {
            auto* edit = new QPlainTextEdit(parent);
            edit->setAccessibleName(name);
            edit->setToolTip(tip);
            edit->setTabChangesFocus(true);
            edit->setFixedHeight(edit->fontMetrics().lineSpacing() * 3 + 12);
            connect(edit, &QPlainTextEdit::textChanged, this, &PlanEditor::changed);
            row.editor = edit;
            return edit;
        }
        case FieldKind::Flag: {
            auto* combo = new FlagCombo(parent);
            combo->addItems({tr("default (%1)").arg(qs(field.defaultText)), tr("true"), tr("false")});
            combo->setAccessibleName(name);
            combo->setToolTip(tip);
            connect(combo, &QComboBox::currentIndexChanged, this, &PlanEditor::changed);
            row.editor = combo;
            return combo;
        }
        case FieldKind::MapValue: {
            auto* holder = new QWidget(parent);
            auto* line = new QHBoxLayout(holder);
            line->setContentsMargins(0, 0, 0, 0);
            auto* fromMaps = new QCheckBox(tr("from the maps"), holder);
            fromMaps->setAccessibleName(name + tr(" from the maps"));
            fromMaps->setToolTip(tr("Unchecked: the value typed beside overrides the maps"));
            fromMaps->setChecked(true);
            QLineEdit* edit = lineEdit();
            edit->setParent(holder);
            edit->setEnabled(false);
            connect(fromMaps, &QCheckBox::toggled, this, [this, edit](bool maps) {
                edit->setEnabled(!maps);
                if (maps) edit->clear();
                changed();
            });
            row.fromMaps = fromMaps;
            line->addWidget(fromMaps);
            line->addWidget(edit, 1);
            return holder;
        }
        case FieldKind::DemList:
        case FieldKind::File:
            break;
    }
    // The paths get the whole width; the choosers sit under them.
    auto* holder = new QWidget(parent);
    auto* column = new QVBoxLayout(holder);
    column->setContentsMargins(0, 0, 0, 0);
    QLineEdit* edit = lineEdit();
    edit->setParent(holder);
    column->addWidget(edit);
    auto* line = new QHBoxLayout;
    line->addStretch(1);
    column->addLayout(line);
    const std::string key = field.dotted;
    auto* file = new QPushButton(tr("File…"), holder);
    file->setAccessibleName(name + tr(": choose a file"));
    line->addWidget(file);
    if (field.kind == FieldKind::DemList) {
        auto* folder = new QPushButton(tr("Folder…"), holder);
        folder->setAccessibleName(name + tr(": choose a folder"));
        line->addWidget(folder);
        connect(file, &QPushButton::clicked, this, [this, key] { chooseDem(rows_[key], false); });
        connect(folder, &QPushButton::clicked, this, [this, key] { chooseDem(rows_[key], true); });
    } else {
        connect(file, &QPushButton::clicked, this, [this, key] { chooseFile(rows_[key]); });
    }
    return holder;
}
QString PlanEditor::fieldText(const Row& row) const {
    if (auto* edit = qobject_cast<QLineEdit*>(row.editor)) {
        // Names and titles keep their spaces; numbers and paths do not need them.
        return row.field->kind == FieldKind::Text ? edit->text() : edit->text().trimmed();
    }
    if (auto* text = qobject_cast<QPlainTextEdit*>(row.editor)) return text->toPlainText();
    if (auto* combo = qobject_cast<QComboBox*>(row.editor)) {
        if (combo->currentIndex() == kFlagTrue) return QStringLiteral("true");
        if (combo->currentIndex() == kFlagFalse) return QStringLiteral("false");
        return {};
    }
    return {};
}

void PlanEditor::setRowText(Row& row, const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(row.editor)) {
        if (auto* fromMaps = qobject_cast<QCheckBox*>(row.fromMaps)) {
            fromMaps->setChecked(text.isEmpty());
            edit->setEnabled(!text.isEmpty());
        }
        edit->setText(text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(row.editor)) {
        plain->setPlainText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(row.editor)) {
        combo->setCurrentIndex(text == QLatin1String("true")    ? kFlagTrue
                               : text == QLatin1String("false") ? kFlagFalse
                                                                : kFlagDefault);
    }
}

void PlanEditor::setPlan(const Plan& plan) {
    loading_ = true;
    base_ = plan;
    for (auto& [key, row] : rows_) setRowText(row, qs(keyText(plan, *row.field)));
    loading_ = false;
    clearErrors();
}

Plan PlanEditor::plan() const {
    Plan plan = base_;
    bool edited = false;
    for (const auto& [key, row] : rows_) {
        const std::string text = fieldText(row).toStdString();
        // An unchanged text keeps its place in the file, which messages name.
        if (text != keyText(plan, *row.field)) {
            setKeyText(plan, *row.field, text);
            edited = true;
        }
    }
    // The file's text is no longer this plan's: the report shows the plan's own layout then.
    if (edited) plan.source.clear();
    return plan;
}

void PlanEditor::changed() {
    if (!loading_) emit edited();
}

void PlanEditor::clearErrors() {
    for (auto& [key, row] : rows_) {
        row.error->clear();
        row.error->hide();
    }
    generalError_->clear();
    generalError_->hide();
}

void PlanEditor::showError(const std::string& key, const QString& message) {
    clearErrors();
    if (const PlanField* field = fieldForKey(key)) {
        Row& row = rows_.at(field->dotted);
        row.error->setText(message);
        row.error->show();
        return;
    }
    generalError_->setText(message);
    generalError_->show();
}

QString PlanEditor::errorText(const std::string& key) const {
    const auto found = rows_.find(key);
    return found == rows_.end() ? QString() : found->second.error->text();
}

QString PlanEditor::generalError() const { return generalError_->text(); }

QWidget* PlanEditor::editor(const std::string& key) const {
    const auto found = rows_.find(key);
    return found == rows_.end() ? nullptr : found->second.editor;
}

void PlanEditor::setFieldText(const std::string& key, const QString& text) {
    Row& row = rows_.at(key);
    if (auto* fromMaps = qobject_cast<QCheckBox*>(row.fromMaps)) fromMaps->setChecked(text.isEmpty());
    if (auto* edit = qobject_cast<QLineEdit*>(row.editor)) {
        edit->setText(text);
    } else {
        setRowText(row, text);
    }
}

QString PlanEditor::relativeToPlan(const QString& path) const {
    if (base_.file.empty()) return path;
    const QDir planDir = QFileInfo(qs(base_.file.string())).absoluteDir();
    return planDir.relativeFilePath(path);
}

void PlanEditor::chooseDem(Row& row, bool folder) {
    const QString chosen = folder ? QFileDialog::getExistingDirectory(this, tr("Choose a DEM folder"))
                                  : QFileDialog::getOpenFileName(this, tr("Choose a DEM file"), QString(),
                                                                 tr("Elevation data (*.tif *.tiff *.hgt *.zip);;All files (*)"));
    if (chosen.isEmpty()) return;
    QString entry = relativeToPlan(chosen);
    if (folder && !entry.endsWith(QLatin1Char('/'))) entry += QLatin1Char('/');
    auto* edit = qobject_cast<QLineEdit*>(row.editor);
    const QString current = edit->text().trimmed();
    edit->setText(current.isEmpty() ? entry : current + QStringLiteral("; ") + entry);
}

void PlanEditor::chooseFile(Row& row) {
    const QString chosen = QFileDialog::getOpenFileName(this, tr("Choose a profile"), QString(),
                                                        tr("Profiles (*.csv);;All files (*)"));
    if (chosen.isEmpty()) return;
    qobject_cast<QLineEdit*>(row.editor)->setText(relativeToPlan(chosen));
}

}  // namespace tropolink::planner
