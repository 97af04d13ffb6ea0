// SPDX-License-Identifier: MIT
// The main window's placement in twips and on the screens that exist, and the
// list of files opened last.
#include "converter/MainWindowPlacement.h"
#include "converter/RecentFiles.h"
#include "storage/MemoryRegistry.h"

#include <gtest/gtest.h>

namespace kolvane::converter {
namespace {

TEST(MainWindowPlacement, TwipsAreFifteenToThePixel) {
    const WindowPlacement defaults;
    EXPECT_EQ(GeometryFromTwips(defaults), QRect(66, 66, 433, 433));
    const WindowPlacement back = TwipsFromGeometry(QRect(10, 20, 800, 600));
    EXPECT_EQ(back.left, 150);
    EXPECT_EQ(back.top, 300);
    EXPECT_EQ(back.width, 12000);
    EXPECT_EQ(back.height, 9000);
}

TEST(MainWindowPlacement, AWindowOnAMonitorThatIsGoneComesToThePrimaryOne) {
    const QList<QRect> screens{QRect(0, 0, 1280, 800), QRect(1280, 0, 1920, 1080)};
    const QRect onSecond(1500, 100, 800, 600);
    EXPECT_EQ(KeptOnScreens(onSecond, screens), onSecond);
    const QRect moved = KeptOnScreens(onSecond, {screens.front()});
    EXPECT_EQ(moved.size(), QSize(800, 600));
    EXPECT_TRUE(QRect(0, 0, 1280, 800).contains(moved));
    const QRect huge = KeptOnScreens(QRect(-5000, -5000, 4000, 3000), {screens.front()});
    EXPECT_EQ(huge.size(), QSize(1280, 800));
}

TEST(RecentFiles, NewestFirstWithoutDuplicatesAndAtMostEight) {
    MemoryRegistry store;
    Settings settings(store);
    RecentFiles recent(settings);
    for (int i = 1; i <= 10; ++i) {
        recent.opened("/farm/file" + std::to_string(i) + ".txt");
    }
    recent.opened("/farm/file5.txt");
    const auto list = recent.list();
    ASSERT_EQ(list.size(), 8u);
    EXPECT_EQ(list[0], "/farm/file5.txt");
    EXPECT_EQ(list[1], "/farm/file10.txt");
    EXPECT_EQ(std::count(list.begin(), list.end(), "/farm/file5.txt"), 1);
    recent.forget("/farm/file10.txt");
    EXPECT_EQ(recent.list()[1], "/farm/file9.txt");
}

} // namespace
} // namespace kolvane::converter
