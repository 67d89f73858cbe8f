#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    // Image plugins and the executable's folder need an application object.
    QCoreApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
