// GoogleTest inside a running QApplication, as the Linux programs' Qt code needs one.
#include <gtest/gtest.h>

#include <QApplication>

#include <clocale>
#include <cstdlib>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // Listing the cases needs no display.
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    // No display and no sound device: Qt's offscreen platform, mpv's null audio output.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("PEXALO_ENGINE_OPTIONS", "ao=null", 0);
    QApplication app(argc, argv);
    // As the player sets it: libmpv parses numbers with the C locale's decimal point.
    std::setlocale(LC_NUMERIC, "C");
    return RUN_ALL_TESTS();
}
