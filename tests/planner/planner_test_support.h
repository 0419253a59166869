#pragma once

#include <QFile>
#include <QString>
#include <QtTest>

#include "planner/planner_window.h"

namespace tropolink::planner::testing {

inline const QString kExamples = QStringLiteral(TROPOLINK_EXAMPLES_DIR);
inline const QString kSliderPlan = kExamples + QStringLiteral("/st-anthony-gander.tropolink.toml");
inline const QString kDemPlan = kExamples + QStringLiteral("/white-mountains.tropolink.toml");
inline constexpr int kWaitMs = 30000;

// Until the window's runs are done.
inline bool waitIdle(const PlannerWindow& window) {
    return QTest::qWaitFor([&] { return !window.runner()->busy(); }, kWaitMs);
}

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace tropolink::planner::testing
