#pragma once

#include "textfile/LineFile.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace vantrel {

// Writes an output record's full buffers on a thread of its own while the record's user reads
// and converts the next ones, so the writing (most of a large join's time, spent in the system)
// runs on a second processor. The bytes and the writes are those of the record's own write-out,
// only later: a failed write is returned by the next write-out or by the close, and nothing
// handed over after it is written.
class TZapisNaPozadi {
public:
    // `dalsichBufferu` buffers of `kapacita` bytes besides the record's own take turns.
    TZapisNaPozadi(std::uint32_t kapacita, std::size_t dalsichBufferu);
    // Waits for every write handed over.
    ~TZapisNaPozadi();
    TZapisNaPozadi(const TZapisNaPozadi&) = delete;
    TZapisNaPozadi& operator=(const TZapisNaPozadi&) = delete;

    // Takes over the write-out and the close of `f`, open for writing with a buffer of
    // `kapacita` bytes; its close waits for the writes and gives the record its buffer back.
    // False, with `f` as it was, when the buffers or the thread cannot be had.
    bool Prevezmi(TLineFile& f);
    // Waits until everything handed over is written: 0, or the code of the write that failed.
    int Dokonci();

private:
    static int Predej(TLineFile& f);
    static int Zavri(TLineFile& f);
    void Pis();

    struct TDavka {
        unsigned char* data;
        std::uint32_t delka;
    };

    std::uint32_t kapacita_;
    std::size_t dalsichBufferu_;
    std::vector<std::unique_ptr<unsigned char[]>> buffery_;
    unsigned char* bufferZaznamu_ = nullptr;
    TLineFileProc zavreniZaznamu_ = nullptr;
    platforma::THandle handle_ = platforma::ZadnyHandle;

    std::mutex zamek_;
    std::condition_variable proPisare_, proZaznam_;
    std::vector<unsigned char*> volne_;
    std::deque<TDavka> fronta_;
    int chyba_ = 0;
    bool pise_ = false;
    bool pisarCeka_ = false;
    bool zaznamCeka_ = false;
    bool konec_ = false;
    std::thread vlakno_;
};

} // namespace vantrel
