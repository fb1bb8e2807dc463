// The program's command line, as a user meets it: the real program, with and without a display.

#include <QProcess>
#include <QProcessEnvironment>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>

namespace {

struct TPripad {
    const char* popis;
    QStringList argumenty;
    const char* displej; // nullptr: none at all
    int kod;
    const char* vystup;  // the start of standard output
    const char* chybovy; // the start of standard error
    int radkuChyboveho;  // lines on standard error
};

const TPripad pripady[] = {
    {"help without a display",
     {"--help"},
     nullptr,
     0,
     "usage: vantrel [--help | --version]\n",
     "",
     0},
    {"short help", {"-h"}, nullptr, 0, "usage: vantrel", "", 0},
    {"version without a display", {"--version"}, nullptr, 0, "vantrel " VANTREL_VERZE "\n", "", 0},
    // A display that cannot be opened shows that neither answer tries one.
    {"help with a display named", {"--help"}, ":97", 0, "usage: vantrel", "", 0},
    {"version with a display named", {"--version"}, ":97", 0, "vantrel " VANTREL_VERZE "\n", "", 0},
    {"no display",
     {},
     nullptr,
     1,
     "",
     "vantrel: no display could be opened; run it on a virtual one: xvfb-run vantrel\n",
     1},
    {"a display that cannot be opened",
     {},
     ":97",
     1,
     "",
     "vantrel: no display could be opened; run it on a virtual one: xvfb-run vantrel\n",
     1},
    {"a file",
     {"a.txt"},
     nullptr,
     2,
     "",
     "vantrel: unexpected argument 'a.txt': files are added in the window\nusage: vantrel",
     2},
    {"an unknown option",
     {"--verbose"},
     ":97",
     2,
     "",
     "vantrel: unexpected argument '--verbose'",
     2},
    {"help and more",
     {"--help", "a.txt"},
     nullptr,
     2,
     "",
     "vantrel: unexpected argument 'a.txt'",
     2},
    {"a toolkit option",
     {"-platform", "offscreen"},
     nullptr,
     2,
     "",
     "vantrel: unexpected argument '-platform'",
     2},
};

TEST(CommandLine, AnswersWithoutADisplayAndRefusesArguments) {
    for (const TPripad& p : pripady) {
        SCOPED_TRACE(p.popis);
        QProcessEnvironment prostredi = QProcessEnvironment::systemEnvironment();
        for (const char* promenna : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            prostredi.remove(promenna);
        if (p.displej != nullptr)
            prostredi.insert("DISPLAY", p.displej);
        QProcess program;
        program.setProcessEnvironment(prostredi);
        program.start(VANTREL_PROGRAM, p.argumenty);
        ASSERT_TRUE(program.waitForFinished(20000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << "a crash";
        EXPECT_EQ(program.exitCode(), p.kod);
        const std::string vystup = program.readAllStandardOutput().toStdString();
        const std::string chybovy = program.readAllStandardError().toStdString();
        EXPECT_EQ(vystup.rfind(p.vystup, 0), 0u) << vystup;
        EXPECT_EQ(chybovy.rfind(p.chybovy, 0), 0u) << chybovy;
        EXPECT_EQ(std::count(chybovy.begin(), chybovy.end(), '\n'), p.radkuChyboveho) << chybovy;
        if (*p.vystup == '\0') {
            EXPECT_EQ(vystup, "");
        }
    }
}

} // namespace
