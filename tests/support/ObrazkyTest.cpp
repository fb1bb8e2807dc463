#include "support/Obrazky.h"

#include <QApplication>
#include <QImage>
#include <gtest/gtest.h>

using namespace vantrel;

namespace {

TEST(Obrazky, DvanactObrazkuMenu) {
    const QList<QIcon> menu = ObrazkyMenu();
    const QList<QIcon> vlajky = ObrazkyVlajek();
    ASSERT_EQ(menu.size(), 12);
    ASSERT_EQ(vlajky.size(), 6);
    for (int i = 0; i < menu.size(); ++i) {
        SCOPED_TRACE(i);
        const QImage obraz = menu.at(i).pixmap(16, 16).toImage();
        ASSERT_FALSE(obraz.isNull());
        EXPECT_EQ(obraz.size(), QSize(16, 16));
        // Each picture is its own; a flag is the same picture as in the flag list.
        for (int j = 0; j < i; ++j)
            EXPECT_NE(obraz, menu.at(j).pixmap(16, 16).toImage()) << "same as " << j;
        if (i >= omPrvniVlajka) {
            EXPECT_EQ(obraz, vlajky.at(i - omPrvniVlajka).pixmap(16, 16).toImage());
        }
    }
    EXPECT_FALSE(IkonaAplikace().pixmap(32, 32).isNull());
}

} // namespace
