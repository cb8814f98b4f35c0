#pragma once

// Every test's main() ends through endProcess(), as the program's does: on Windows the MinGW runtime
// can wait for ever unloading its DLLs once Qt has made a thread-local object on the main thread.
// Include it just before QTEST_MAIN or QTEST_GUILESS_MAIN, which it makes do so.
#include "platform/platform.h"

#include <QTest>

#undef QTEST_MAIN_WRAPPER
#define QTEST_MAIN_WRAPPER(TestObject, ...)                                                                            \
    static int runTests(int argc, char* argv[]) {                                                                      \
        QT_PREPEND_NAMESPACE(QTest::Internal::callInitMain)<TestObject>();                                             \
        __VA_ARGS__                                                                                                    \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }                                                                                                                  \
    int main(int argc, char* argv[]) {                                                                                 \
        return endProcess(runTests(argc, argv));                                                                       \
    }
