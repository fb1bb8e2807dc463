#include "platforma/Registr.h"

#include "platforma/RegistrSpolecne.h"
#include "platforma/Utf8.h"
#include "platforma/posix/FormatRegistru.h"
#include "platforma/posix/Posix.h"
#include "platforma/posix/SouborRegistru.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace vantrel {

using namespace platforma::registr;

namespace {

std::unique_ptr<TObsahRegistru> ZkusRozebrat(const std::string& bajty, const std::string& klic) {
    try {
        return std::make_unique<TObsahRegistru>(RozeberRegistr(bajty, klic));
    } catch (const ENeplatnyFormat&) {
        return nullptr;
    }
}

} // namespace

struct TRegistr::Impl {
    explicit Impl(std::string cesta) : soubor_(std::move(cesta)) {}

    const std::string& Cesta() const { return soubor_.Cesta(); }
    bool OpenKey(const std::string& klic, bool vytvorit);
    void CloseKey();
    const THodnotaRegistru* Najdi(const std::string& jmeno) const;
    void Zapis(const std::string& jmeno, std::uint32_t typ, const std::string& data);

    TSouborRegistru soubor_;
    std::string klic_; // without the hive and without leading or trailing backslashes
    bool otevreny_ = false;
    bool nelzeCist_ = false; // the file exists but could not be read or used
    std::string duvodCteni_; // why, for the user; empty for a plain read error
    std::unique_ptr<TObsahRegistru> snimek_;
    std::vector<std::string> odlozene_;
};

TRegistr::TRegistr() : TRegistr(VychoziUmisteni()) {}

TRegistr::TRegistr(std::string umisteni) : impl_(std::make_unique<Impl>(std::move(umisteni))) {}

TRegistr::~TRegistr() = default;

const std::string& TRegistr::Umisteni() const {
    return impl_->Cesta();
}

const std::vector<std::string>& TRegistr::OdlozeneSoubory() const {
    return impl_->odlozene_;
}

bool TRegistr::HasOpenKey() const {
    return impl_->otevreny_;
}

std::string TRegistr::VychoziUmisteni() {
    std::string zaklad;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        zaklad = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] == '\0') {
            const passwd* pw = ::getpwuid(::getuid());
            home = pw != nullptr ? pw->pw_dir : "/";
        }
        zaklad = std::string(home) + "/.config";
    }
    return zaklad + "/Tarsk/Vantrel.reg";
}

bool TRegistr::OpenKey(const std::string& klic, bool vytvorit) {
    return impl_->OpenKey(klic, vytvorit);
}

bool TRegistr::Impl::OpenKey(const std::string& klic, bool vytvorit) {
    std::string novy = NormalizujKlic(klic);
    if (!klic.empty() && klic[0] != '\\' && otevreny_ && !klic_.empty())
        novy = novy.empty() ? klic_ : klic_ + "\\" + novy;

    std::unique_ptr<TObsahRegistru> obsah;
    bool nelzeCist = false;
    bool nepouzitelny = false; // in the file, but not a settings file we can use
    std::string duvod;
    try {
        const TSouborRegistru::TCteni cteni = soubor_.Precti();
        if (cteni.stav == TSouborRegistru::TStav::Precten) {
            obsah = ZkusRozebrat(cteni.bajty, novy);
            if (obsah == nullptr)
                duvod = Cesta() + " is not in the registry export format";
        } else if (cteni.stav == TSouborRegistru::TStav::PrilisVelky) {
            duvod = Cesta() + " is larger than " + std::to_string(MaxVelikostRegistru) + " bytes";
        }
        nelzeCist = nepouzitelny = !duvod.empty();
    } catch (const ESouborRegistru& chyba) {
        nelzeCist = true;
        duvod = chyba.Duvod();
    }
    // An unusable file is kept aside at once, so that the read's report can say where it went.
    if (nepouzitelny) {
        try {
            const std::string kam = soubor_.OdlozNeplatny(
                [&](const std::string& bajty) { return ZkusRozebrat(bajty, novy) != nullptr; });
            if (!kam.empty()) {
                odlozene_.push_back(kam);
                duvod += "; it was kept as " + kam;
            }
        } catch (const ESouborRegistru& chyba) {
            if (!chyba.Duvod().empty())
                duvod += "; " + chyba.Duvod();
        }
    }
    if (!vytvorit && !nelzeCist && (obsah == nullptr || !obsah->klicExistuje))
        return false;
    klic_ = novy;
    otevreny_ = true;
    nelzeCist_ = nelzeCist;
    duvodCteni_ = nelzeCist ? duvod : std::string();
    snimek_ = std::move(obsah);
    return true;
}

void TRegistr::CloseKey() {
    impl_->CloseKey();
}

void TRegistr::Impl::CloseKey() {
    otevreny_ = false;
    nelzeCist_ = false;
    duvodCteni_.clear();
    klic_.clear();
    snimek_.reset();
}

std::string TRegistr::CurrentPath() const {
    return impl_->otevreny_ ? CelyKlic(impl_->klic_) : std::string();
}

const THodnotaRegistru* TRegistr::Impl::Najdi(const std::string& jmeno) const {
    if (nelzeCist_)
        throw EChybaRegistru(SDuvodem(ChybaCteni(jmeno), duvodCteni_));
    if (!otevreny_ || snimek_ == nullptr)
        return nullptr;
    return NajdiHodnotu(*snimek_, jmeno);
}

bool TRegistr::ValueExists(const std::string& jmeno) const {
    if (!impl_->otevreny_)
        return false;
    return impl_->Najdi(jmeno) != nullptr;
}

TTypHodnoty TRegistr::GetDataType(const std::string& jmeno) const {
    const THodnotaRegistru* h = impl_->Najdi(jmeno);
    if (h == nullptr)
        throw EChybaRegistru(ChybaCteni(jmeno));
    return static_cast<TTypHodnoty>(h->typ);
}

std::string TRegistr::ReadString(const std::string& jmeno) const {
    const THodnotaRegistru* h = impl_->Najdi(jmeno);
    if (h == nullptr)
        throw EChybaRegistru(ChybaCteni(jmeno));
    if (h->typ != thSz && h->typ != thExpandSz)
        throw EChybaRegistru(ChybaTypu(jmeno));
    std::string text;
    if (!Utf16leNaUtf8(h->data, text))
        throw EChybaRegistru(ChybaCteni(jmeno));
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

std::int32_t TRegistr::ReadInteger(const std::string& jmeno) const {
    const THodnotaRegistru* h = impl_->Najdi(jmeno);
    if (h == nullptr)
        throw EChybaRegistru(ChybaCteni(jmeno));
    if (h->typ != thDword)
        throw EChybaRegistru(ChybaTypu(jmeno));
    if (h->data.size() != 4)
        throw EChybaRegistru(ChybaCteni(jmeno));
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k)
        v = (v << 8) | static_cast<unsigned char>(h->data[k]);
    return static_cast<std::int32_t>(v);
}

void TRegistr::WriteString(const std::string& jmeno, const std::string& hodnota) {
    if (!PlatneUtf8(hodnota))
        throw EChybaRegistru(ChybaZapisu(jmeno));
    impl_->Zapis(jmeno, thSz, Utf8NaUtf16le(hodnota) + std::string(2, '\0'));
}

void TRegistr::WriteExpandString(const std::string& jmeno, const std::string& hodnota) {
    if (!PlatneUtf8(hodnota))
        throw EChybaRegistru(ChybaZapisu(jmeno));
    impl_->Zapis(jmeno, thExpandSz, Utf8NaUtf16le(hodnota) + std::string(2, '\0'));
}

void TRegistr::WriteInteger(const std::string& jmeno, std::int32_t hodnota) {
    const auto v = static_cast<std::uint32_t>(hodnota);
    std::string data;
    for (int k = 0; k < 4; ++k)
        data += static_cast<char>((v >> (8 * k)) & 0xFF);
    impl_->Zapis(jmeno, thDword, data);
}

void TRegistr::Impl::Zapis(const std::string& jmeno, std::uint32_t typ, const std::string& data) {
    const std::string chyba = ChybaZapisu(jmeno);
    if (!otevreny_ || !PlatneJmeno(jmeno))
        throw EChybaRegistru(chyba);
    std::unique_ptr<TObsahRegistru> obsah;
    std::string vysledek;
    try {
        soubor_.Zapis(
            [&](const std::string& bajty) {
                obsah = ZkusRozebrat(bajty, klic_);
                return obsah != nullptr;
            },
            [&](const std::string* bajty, const std::string& odlozeno) {
                if (!odlozeno.empty())
                    odlozene_.push_back(odlozeno);
                if (bajty == nullptr) {
                    // A fresh file says where the file it replaces was kept.
                    const std::string poznamka =
                        odlozene_.empty() ? std::string()
                                          : "The previous settings file could not be read; it "
                                            "was kept as " +
                                                platforma::posix::ZakladJmena(odlozene_.back());
                    obsah = std::make_unique<TObsahRegistru>(NovyRegistr(klic_, poznamka));
                }
                NastavHodnotu(*obsah, klic_, jmeno, typ, data);
                vysledek = SlozRegistr(*obsah);
                return vysledek;
            });
        snimek_ = std::make_unique<TObsahRegistru>(RozeberRegistr(vysledek, klic_));
    } catch (const ESouborRegistru& e) {
        throw EChybaRegistru(SDuvodem(chyba, e.Duvod()));
    } catch (const ENeplatnyFormat&) {
        throw EChybaRegistru(chyba);
    }
    nelzeCist_ = false;
    duvodCteni_.clear();
}

} // namespace vantrel
