#include "../ZkusebniRegistr.h"

#include <windows.h>

namespace vantrel::test {

namespace {

const std::string Koren = "Software\\VantrelTest";

std::wstring Siroky(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

} // namespace

// Tests of other processes may share the prefix: the key names this process.
TZkusebniRegistr::TZkusebniRegistr() {
    static unsigned poradi = 0;
    umisteni_ =
        Koren + "\\" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++poradi);
}

TZkusebniRegistr::~TZkusebniRegistr() {
    RegDeleteTreeW(HKEY_CURRENT_USER, Siroky(umisteni_).c_str());
    // Goes only once no other test's key is left under it.
    RegDeleteKeyW(HKEY_CURRENT_USER, Siroky(Koren).c_str());
}

} // namespace vantrel::test
