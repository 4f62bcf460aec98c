// main() for the tests that need Qt's application object: a QApplication on the offscreen
// platform, whatever the caller's environment says, or a QCoreApplication for those without
// windows; then every test.
#ifdef FRAMEPICKER_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TestApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
