// GoogleTest inside a running QApplication, as the Linux programs' Qt code needs one.
#include <gtest/gtest.h>

#include <QApplication>

#include <clocale>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // As the player sets it: libmpv parses numbers with the C locale's decimal point.
    std::setlocale(LC_NUMERIC, "C");
    return RUN_ALL_TESTS();
}
