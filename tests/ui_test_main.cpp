#include <QApplication>
#include <QFile>
#include <QFont>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Widget tests never need a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The game gives each picture its pixel ratio itself; Qt's guess from an
    // "@2x" file name is turned off, so that the tests see it do so.
    qputenv("QT_HIGHDPI_DISABLE_2X_IMAGE_LOADING", "1");
    // A game started through the program's entry keeps its journal here,
    // never among the player's own.
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
    // And what it remembers between runs.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // A desktop's own font, as its theme hands it to every program, in points.
    if (const int points = qEnvironmentVariableIntValue("NANAIRO_TEST_FONT_POINTS"); points > 0)
        QApplication::setFont(QFont(QStringLiteral("Noto Sans CJK JP"), points));
    return RUN_ALL_TESTS();
}
