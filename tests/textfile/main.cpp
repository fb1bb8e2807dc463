#include <clocale>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // As the programs do: the process code page follows the locale of the environment.
    std::setlocale(LC_ALL, "");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
