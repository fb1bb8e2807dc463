// main() of the tests that need a QApplication.

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifdef VANTREL_LSAN_SUPP
extern "C" const char* __lsan_default_options() {
    return "suppressions=" VANTREL_LSAN_SUPP ":print_suppressions=0";
}
#endif

int main(int argc, char** argv) {
    // CTest lists the tests by running the program without the tests' environment: without a
    // display Qt would abort there. Run by hand, the tests get the screen CTest gives them.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", VANTREL_OBRAZOVKA);
    // The program's settings and Qt's own (the file dialogs' history) stay out of the user's.
    QTemporaryDir nastaveni;
    if (!nastaveni.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", nastaveni.path().toLocal8Bit());
    QApplication aplikace(argc, argv);
    // Also the caption of the program's general error report.
    QApplication::setApplicationName(QStringLiteral("Vantrel"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
