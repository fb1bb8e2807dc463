#include "Pomocne.h"
#include "SpusteniPosix.h"

#include <fcntl.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace vantrel::test {

pid_t Zahaj(const std::vector<std::string>& argumenty, int vstup, int vystup,
            const std::string& chyby, const TPriprava& priprava) {
    std::vector<std::string> kopie = argumenty;
    std::vector<char*> argv{const_cast<char*>(VANTREL_JOIN)};
    for (auto& a : kopie)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const int fdErr = open(chyby.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (vstup >= 0)
            dup2(vstup, 0);
        if (vystup >= 0)
            dup2(vystup, 1);
        dup2(fdErr, 2);
        if (priprava)
            priprava();
        execv(VANTREL_JOIN, argv.data());
        _exit(127);
    }
    return pid;
}

int Navrat(pid_t pid) {
    int stav = 0;
    waitpid(pid, &stav, 0);
    return WIFEXITED(stav) ? WEXITSTATUS(stav) : -1;
}

TBeh Spust(const std::vector<std::string>& argumenty, const std::string& stdoutSoubor,
           const std::string& stdinSoubor, const TPriprava& priprava) {
    TDocasnaSlozka zachyt;
    const std::string out = stdoutSoubor.empty() ? zachyt.Soubor("stdout") : stdoutSoubor;
    const int fdOut = open(out.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_NOCTTY | O_CLOEXEC, 0644);
    const int fdIn =
        stdinSoubor.empty() ? -1 : open(stdinSoubor.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
    TBeh beh;
    beh.navrat = Navrat(Zahaj(argumenty, fdIn, fdOut, zachyt.Soubor("stderr"), priprava));
    close(fdOut);
    if (fdIn >= 0)
        close(fdIn);
    beh.vystup = stdoutSoubor.empty() ? PrectiSoubor(out) : "";
    beh.chyby = PrectiSoubor(zachyt.Soubor("stderr"));
    return beh;
}

TBeh Spust(const std::vector<std::string>& argumenty, const std::string& stdoutSoubor,
           const std::string& stdinSoubor) {
    return Spust(argumenty, stdoutSoubor, stdinSoubor, {});
}

std::vector<std::string> JmenaSouboru() {
    return {
        "n\xFF\xFE\xC3",          // no text in any codeset
        "\xC5\xBElu\xC5\xA5.txt", // "žluť.txt" in UTF-8
        "\xBElu\xBB.txt",         // "žluť.txt" in ISO-8859-2
    };
}

// Another program's hold is its open-file-description lock, which the join's own opens test.
TDrzenySoubor::TDrzenySoubor(const std::string& cesta, bool kZapisu)
    : handle_(open(cesta.c_str(), (kZapisu ? O_WRONLY : O_RDONLY) | O_CLOEXEC)) {
    struct flock zamek {};
    zamek.l_type = kZapisu ? F_WRLCK : F_RDLCK;
    zamek.l_whence = SEEK_SET;
    if (handle_ < 0 || fcntl(static_cast<int>(handle_), F_OFD_SETLK, &zamek) != 0)
        throw std::runtime_error("cannot hold " + cesta);
}

TDrzenySoubor::~TDrzenySoubor() {
    close(static_cast<int>(handle_));
}

} // namespace vantrel::test
