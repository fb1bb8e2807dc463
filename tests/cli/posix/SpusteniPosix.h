#pragma once

#include "../Spusteni.h"

#include <functional>
#include <sys/types.h>

// What only POSIX offers a started program: any descriptors, closed streams, limits and users.
namespace vantrel::test {

// What the started program inherits besides its descriptors: run in the child before exec.
using TPriprava = std::function<void()>;

// Starts vantrel-join with the arguments and the given descriptors as standard input and output
// (-1: inherited); standard error goes to the file `chyby`.
pid_t Zahaj(const std::vector<std::string>& argumenty, int vstup, int vystup,
            const std::string& chyby, const TPriprava& priprava = {});

// The exit status of a started program, -1 when a signal ended it.
int Navrat(pid_t pid);

// Spust with `priprava` run in the child before exec.
TBeh Spust(const std::vector<std::string>& argumenty, const std::string& stdoutSoubor,
           const std::string& stdinSoubor, const TPriprava& priprava);

} // namespace vantrel::test
