#pragma once

#include "platforma/Registr.h"

#include <string>

// What the settings store's tests share on every platform.
namespace vantrel::test {

// A settings store of the test's own, removed with everything in it when destroyed: on POSIX a
// file in a fresh temporary folder, on Windows a fresh key under
// HKEY_CURRENT_USER\Software\VantrelTest. Nothing of it exists until a key is made in it.
class TZkusebniRegistr {
public:
    TZkusebniRegistr();
    ~TZkusebniRegistr();
    TZkusebniRegistr(const TZkusebniRegistr&) = delete;
    TZkusebniRegistr& operator=(const TZkusebniRegistr&) = delete;

    // What TRegistr(umisteni) takes.
    const std::string& Umisteni() const { return umisteni_; }

private:
    std::string umisteni_;
};

// Runs `f` and returns the message of the EChybaRegistru it throws ("" when none).
template <typename F> std::string ChybaRegistru(F f) {
    try {
        f();
    } catch (const EChybaRegistru& e) {
        return e.what();
    }
    return "";
}

} // namespace vantrel::test
