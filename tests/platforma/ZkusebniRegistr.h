#pragma once

#include <string>

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

} // namespace vantrel::test
