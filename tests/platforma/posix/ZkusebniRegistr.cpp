#include "../ZkusebniRegistr.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace vantrel::test {

namespace {

const std::string Soubor = "/Tarsk/Vantrel.reg";

} // namespace

TZkusebniRegistr::TZkusebniRegistr() {
    std::string vzor = (std::filesystem::temp_directory_path() / "vantrel-registr-XXXXXX").string();
    if (::mkdtemp(vzor.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    umisteni_ = vzor + Soubor;
}

TZkusebniRegistr::~TZkusebniRegistr() {
    std::error_code chyba;
    std::filesystem::remove_all(umisteni_.substr(0, umisteni_.size() - Soubor.size()), chyba);
}

} // namespace vantrel::test
