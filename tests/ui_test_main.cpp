#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Widget tests never need a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The game gives each picture its pixel ratio itself; Qt's guess from an
    // "@2x" file name is turned off, so that the tests see it do so.
    qputenv("QT_HIGHDPI_DISABLE_2X_IMAGE_LOADING", "1");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
