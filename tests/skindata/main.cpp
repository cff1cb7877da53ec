#include "tests/skindata/TestClasses.h"

#include <QGuiApplication>
#include <QTest>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    int failures = 0;
    {
        TestQuickIni t;
        failures += QTest::qExec(&t, argc, argv);
    }
    {
        TestSkinElements t;
        failures += QTest::qExec(&t, argc, argv);
    }
    {
        TestNineSlice t;
        failures += QTest::qExec(&t, argc, argv);
    }
    {
        TestSkinComponent t;
        failures += QTest::qExec(&t, argc, argv);
    }
    {
        TestHostileSkins t;
        failures += QTest::qExec(&t, argc, argv);
    }
    return failures;
}
