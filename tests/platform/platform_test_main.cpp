// Entry point of the platform tests: GoogleTest inside a QApplication.
#include "support/gui_leak_check.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // The build lists the tests with no display present; only running them needs the
    // application object, and with it the X server that the test command provides.
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
