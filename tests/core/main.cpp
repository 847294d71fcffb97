#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <locale>
#include <string>

// The core must give the same texts whatever locale the machine runs under, so every test
// runs under the locale named by LC_ALL (ctest runs the suite once Russian, once English).
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    std::setlocale(LC_ALL, "");
    try {
        std::locale::global(std::locale(""));
    } catch (const std::runtime_error&) {
        // An unknown locale name: the check below reports it.
    }
    return RUN_ALL_TESTS();
}

TEST(Locale, RunsUnderTheRequestedLocale) {
    const char* requested = std::getenv("LC_ALL");
    if (requested == nullptr || std::strncmp(requested, "ru_RU", 5) != 0)
        GTEST_SKIP() << "not run under a Russian locale";
    // The Russian locale writes a decimal comma: the tests see a machine that would.
    EXPECT_STREQ(std::localeconv()->decimal_point, ",");
}
