// The main window on a screen smaller than its design size: a 1600 x 1000 screen at 200 %
// scaling, 800 x 500 logical pixels (the platform takes the logical size and the ratio). The
// offscreen platform takes the screen's size from a configuration file, read when the application
// starts, so these tests run in a process of their own.
#include <gtest/gtest.h>

#include "tests/ui/WindowTest.h"
#include "ui/Twips.h"

namespace tavri {
namespace {

TEST(SmallScreen, TheWholeWindowMenuBarIncludedIsOnTheScreen) {
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_LT(available.height(), TwipsToPixels(7920) + 60)
        << "the screen must be too small for the design size for this test to mean anything";

    test::Window x;
    x.refresh();
    x.show();
    const Form1& w = x.w;

    EXPECT_TRUE(available.contains(w.frameGeometry()))
        << "window " << w.frameGeometry().y() << "+" << w.frameGeometry().height();
    EXPECT_GE(w.menuBar()->mapToGlobal(QPoint(0, 0)).y(), available.top());
    EXPECT_LE(w.minimumSizeHint().height(), available.height());
    // What the window gave up came from the list, which still shows rows; the buttons below it
    // stay whole inside its frame.
    EXPECT_GT(w.Grid1->height(), 5 * w.Grid1->verticalHeader()->defaultSectionSize());
    EXPECT_TRUE(w.Frame1->rect().contains(w.Command4->geometry()));
    EXPECT_TRUE(w.Frame1->rect().contains(w.Command1->geometry()));
    EXPECT_TRUE(w.centralWidget()->rect().contains(w.Frame3->geometry()));
}

}  // namespace
}  // namespace tavri

int main(int argc, char** argv) {
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(R"({"screens": [{"name": "small", "x": 0, "y": 0, "width": 800, "height": 500,)"
                   R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 2}]})") < 0) {
        return 1;
    }
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
