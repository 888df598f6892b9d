#pragma once

// Part of every test's precompiled header (or included first when there is
// none): QTEST_MAIN, QTEST_GUILESS_MAIN and QTEST_APPLESS_MAIN register the
// test instead of defining main(), so several tst_*.cpp files link into one
// executable while each is written as a program of its own. What runs is what
// QtTest's own macros run: the same application object, attributes, initMain()
// and source path for QFINDTESTDATA.
#include <QtTest>

#include "TestRegistry.h"

#define LUMIVOX_TEST_ENTRY(...) \
    static int lumivoxTestEntry(int argc, char* argv[]) { __VA_ARGS__ } \
    [[maybe_unused]] static const bool lumivoxTestRegistered = \
        LumivoxTestRunner::Register(__FILE__, lumivoxTestEntry);

#undef QTEST_MAIN
#define QTEST_MAIN(TestObject) LUMIVOX_TEST_ENTRY(QTEST_MAIN_IMPL(TestObject))

#undef QTEST_GUILESS_MAIN
#define QTEST_GUILESS_MAIN(TestObject) LUMIVOX_TEST_ENTRY( \
    TESTLIB_SELFCOVERAGE_START(#TestObject) \
    QT_PREPEND_NAMESPACE(QTest::Internal::callInitMain)<TestObject>(); \
    QCoreApplication app(argc, argv); \
    app.setAttribute(Qt::AA_Use96Dpi, true); \
    TestObject tc; \
    QTEST_SET_MAIN_SOURCE_PATH \
    return QTest::qExec(&tc, argc, argv);)

#undef QTEST_APPLESS_MAIN
#define QTEST_APPLESS_MAIN(TestObject) LUMIVOX_TEST_ENTRY( \
    TESTLIB_SELFCOVERAGE_START(TestObject) \
    TestObject tc; \
    QTEST_SET_MAIN_SOURCE_PATH \
    return QTest::qExec(&tc, argc, argv);)
