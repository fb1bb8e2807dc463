#pragma once

#include <cstdint>
#include <string>
#include <vector>

// vantrel-join started as a user starts it, on each platform by its own means; paths and
// arguments are UTF-8 (on POSIX any bytes).
namespace vantrel::test {

// The two reasons of the sharing error, as the messages give them.
inline const std::string JeVystupem = "I/O error 32 (the file is in use: it is also the output)";
inline const std::string JinyProgram = "I/O error 32 (the file is in use by another program)";

struct TBeh {
    int navrat = -1;
    std::string vystup, chyby;
};

// Runs vantrel-join to the end with the arguments. Its standard output goes to `stdoutSoubor`
// when given (appended, as a shell's >> would; `vystup` then stays empty), else into `vystup`;
// standard input comes from `stdinSoubor` when given; standard error into `chyby`.
TBeh Spust(const std::vector<std::string>& argumenty, const std::string& stdoutSoubor = {},
           const std::string& stdinSoubor = {});

// File names that the platform's users give, each joined and named in an error as typed: on
// POSIX bytes of any codeset or none, on Windows characters outside any one ANSI code page.
std::vector<std::string> JmenaSouboru();

// Another program that holds a file open, for writing or for reading, until destroyed: the
// join's inputs and outputs must share with it as Windows' share modes say.
class TDrzenySoubor {
public:
    TDrzenySoubor(const std::string& cesta, bool kZapisu);
    ~TDrzenySoubor();
    TDrzenySoubor(const TDrzenySoubor&) = delete;
    TDrzenySoubor& operator=(const TDrzenySoubor&) = delete;

private:
    std::intptr_t handle_;
};

} // namespace vantrel::test
