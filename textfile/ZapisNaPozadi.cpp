#include "textfile/ZapisNaPozadi.h"

#include "platforma/Soubory.h"

#include <new>
#include <system_error>

namespace vantrel {

TZapisNaPozadi::TZapisNaPozadi(std::uint32_t kapacita, std::size_t dalsichBufferu)
    : kapacita_(kapacita), dalsichBufferu_(dalsichBufferu == 0 ? 1 : dalsichBufferu) {}

TZapisNaPozadi::~TZapisNaPozadi() {
    if (!vlakno_.joinable())
        return;
    Dokonci();
    {
        std::lock_guard<std::mutex> z(zamek_);
        konec_ = true;
    }
    proPisare_.notify_one();
    vlakno_.join();
}

bool TZapisNaPozadi::Prevezmi(TLineFile& f) {
    if (vlakno_.joinable() || f.Mode != ModeOutput || f.Capacity != kapacita_)
        return false;
    try {
        for (std::size_t i = 0; i < dalsichBufferu_; ++i) {
            buffery_.emplace_back(new unsigned char[kapacita_]); // not zeroed: written first
            volne_.push_back(buffery_.back().get());
        }
        handle_ = f.Handle;
        vlakno_ = std::thread(&TZapisNaPozadi::Pis, this);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::system_error&) {
        return false;
    }
    bufferZaznamu_ = f.Data;
    zavreniZaznamu_ = f.CloseProc;
    f.UserData = this;
    f.TransferProc = Predej;
    f.CloseProc = Zavri;
    return true;
}

int TZapisNaPozadi::Dokonci() {
    std::unique_lock<std::mutex> z(zamek_);
    if (pisarCeka_ && !fronta_.empty())
        proPisare_.notify_one();
    zaznamCeka_ = true;
    proZaznam_.wait(z, [&] { return fronta_.empty() && !pise_; });
    zaznamCeka_ = false;
    return chyba_;
}

// The record's write-out: its buffer joins the queue and a free one takes its place.
int TZapisNaPozadi::Predej(TLineFile& f) {
    auto& ja = *static_cast<TZapisNaPozadi*>(f.UserData);
    if (f.Position == 0)
        return 0;
    const std::uint32_t delka = f.Position;
    f.Position = 0;
    std::unique_lock<std::mutex> z(ja.zamek_);
    if (ja.chyba_ != 0)
        return ja.chyba_;
    ja.fronta_.push_back({f.Data, delka});
    // Waking the writer costs a system call: it waits until half the buffers are full, or
    // until this thread would have to wait for it.
    if (ja.pisarCeka_ && (2 * ja.fronta_.size() > ja.dalsichBufferu_ || ja.volne_.empty()))
        ja.proPisare_.notify_one();
    ja.zaznamCeka_ = true;
    ja.proZaznam_.wait(z, [&] { return !ja.volne_.empty(); });
    ja.zaznamCeka_ = false;
    f.Data = ja.volne_.back();
    ja.volne_.pop_back();
    return 0;
}

int TZapisNaPozadi::Zavri(TLineFile& f) {
    auto& ja = *static_cast<TZapisNaPozadi*>(f.UserData);
    const int kod = ja.Dokonci();
    f.Data = ja.bufferZaznamu_;
    f.UserData = nullptr;
    const int kodZavreni = ja.zavreniZaznamu_(f);
    return kod != 0 ? kod : kodZavreni;
}

void TZapisNaPozadi::Pis() {
    std::unique_lock<std::mutex> z(zamek_);
    for (;;) {
        pisarCeka_ = true;
        proPisare_.wait(z, [&] { return konec_ || !fronta_.empty(); });
        pisarCeka_ = false;
        if (fronta_.empty())
            return;
        const TDavka davka = fronta_.front();
        fronta_.pop_front();
        const bool psat = chyba_ == 0;
        pise_ = true;
        z.unlock();
        const int kod = psat ? platforma::Zapis(handle_, davka.data, davka.delka) : 0;
        z.lock();
        pise_ = false;
        if (chyba_ == 0)
            chyba_ = kod;
        volne_.push_back(davka.data);
        // The record is woken once half the buffers are free again, or when all is written.
        if (zaznamCeka_ && (2 * volne_.size() > dalsichBufferu_ || fronta_.empty()))
            proZaznam_.notify_one();
    }
}

} // namespace vantrel
