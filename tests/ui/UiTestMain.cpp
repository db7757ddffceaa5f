// main() of the UI test programs: one QApplication on the offscreen platform for all tests.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Sollentra");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
