#pragma once

#include <QTest>

#include "windows/toolkit/application.h"

// QTEST_MAIN in the application as the program sets it up: its style, fonts, icon, version
// and Russian Qt texts.
#define KVARNET_TEST_MAIN(TestObject)                                                              \
    QTEST_MAIN_WRAPPER(TestObject, QTEST_MAIN_SETUP() toolkit::SetUpApplication();)
