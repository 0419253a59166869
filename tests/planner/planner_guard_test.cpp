// An exception that leaves an event handler is shown, and the planner goes on.
#include <QEvent>
#include <QObject>
#include <QStringList>
#include <QtTest>

#include <new>
#include <stdexcept>

#include "planner/guarded_application.h"

namespace {

QStringList shown;

// Throws what its next user event asks for; counts the events it handled.
class Thrower : public QObject {
public:
    enum What { Nothing, Memory, Runtime, Integer };
    What next = Nothing;
    int handled = 0;

    bool event(QEvent* e) override {
        if (e->type() != QEvent::User) return QObject::event(e);
        const What what = next;
        next = Nothing;
        switch (what) {
            case Memory:
                throw std::bad_alloc();
            case Runtime:
                throw std::runtime_error("the DEM at /tmp/x.tif: block 3 unreadable");
            case Integer:
                throw 7;
            case Nothing:
                break;
        }
        ++handled;
        return true;
    }
};

}  // namespace

class PlannerGuardTest : public QObject {
    Q_OBJECT
private slots:
    void escapedErrorsAreShownAndTheEventLoopGoesOn_data() {
        QTest::addColumn<int>("what");
        QTest::addColumn<QString>("text");
        QTest::newRow("memory") << int(Thrower::Memory) << QStringLiteral("Out of memory: ");
        QTest::newRow("library error") << int(Thrower::Runtime) << QStringLiteral("the DEM at /tmp/x.tif: block 3 unreadable");
        QTest::newRow("not an exception class") << int(Thrower::Integer) << QStringLiteral("An unexpected error");
    }
    void escapedErrorsAreShownAndTheEventLoopGoesOn() {
        QFETCH(int, what);
        QFETCH(QString, text);
        shown.clear();
        Thrower thrower;
        thrower.next = Thrower::What(what);
        QEvent first(QEvent::User);
        QVERIFY(!QCoreApplication::sendEvent(&thrower, &first));
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.front().startsWith(text), qPrintable(shown.front()));
        QVERIFY(!shown.front().contains(QStringLiteral("std::")));
        QEvent second(QEvent::User);
        QVERIFY(QCoreApplication::sendEvent(&thrower, &second));
        QCOMPARE(thrower.handled, 1);
        QCOMPARE(shown.size(), 1);
    }
};

int main(int argc, char* argv[]) {
    tropolink::planner::GuardedApplication app(argc, argv, [](const QString& text) { shown.append(text); });
    PlannerGuardTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "planner_guard_test.moc"
