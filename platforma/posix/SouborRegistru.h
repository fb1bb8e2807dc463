#pragma once

// How the settings file is read and replaced, whatever its format.
//
// Reading takes no lock and opens nothing for writing: a commit replaces the file by rename, so
// a reader sees either the old file or the new one. A commit holds an exclusive lock on the
// folder of the file (no lock file is left behind), waits for another process's commit at most
// CekaniNaZamek, writes a synced temporary file "<file>.tmp-XXXXXX" beside it and renames it
// over the file. A symbolic link is written through: the commit happens beside the link's final
// target, so the link stays a link. A file that cannot be used (too large, or rejected by the
// caller's check) is never overwritten: it is moved aside to "<file>.corrupt-YYYYMMDD-HHMMSS[-n]".

#include <chrono>
#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>

namespace vantrel {

// A settings file is a few hundred bytes; anything larger than this is not one of ours, and no
// write makes the file larger.
inline constexpr std::size_t MaxVelikostRegistru = 1024 * 1024;
// Another process's commit takes milliseconds; a lock held longer than this is not released soon.
inline constexpr std::chrono::milliseconds CekaniNaZamek{2000};

// A failure of the settings file. Duvod() says why in words for the user ("<file> is not a
// regular file", "<file> could not be written: no space left on device").
class ESouborRegistru : public std::runtime_error {
public:
    explicit ESouborRegistru(const std::string& duvod = {}) : std::runtime_error(duvod) {}
    std::string Duvod() const { return what(); }
};

class TSouborRegistru {
public:
    explicit TSouborRegistru(std::string cesta) : cesta_(std::move(cesta)) {}
    const std::string& Cesta() const { return cesta_; }

    enum class TStav { Chybi, Precten, PrilisVelky };
    struct TCteni {
        TStav stav = TStav::Chybi;
        std::string bajty; // when Precten
    };
    // The file's bytes, without waiting for anything. Throws ESouborRegistru for anything but a
    // regular file (a FIFO is never opened for a blocking read) and for a read error.
    TCteni Precti() const;

    // A check of the bytes that Precti read: false for a file that cannot be used.
    using TKontrola = std::function<bool(const std::string& bajty)>;

    // Under the lock, moves the file aside when it is too large or `platny` rejects it. Returns
    // the new name, or "" when the file is gone or has become valid meanwhile.
    std::string OdlozNeplatny(const TKontrola& platny) const;

    // One commit: under the lock, reads the file (one that cannot be used is moved aside first),
    // hands its bytes to `uprav` (nullptr when there is no file; the second argument is the name
    // it was moved aside to, or "") and replaces the file by what `uprav` returns. Leftover
    // temporary files of crashed commits are removed. Returns the name a file was moved aside
    // to, or "". A failure throws ESouborRegistru and leaves the file as it was.
    using TUprava =
        std::function<std::string(const std::string* bajty, const std::string& odlozeno)>;
    std::string Zapis(const TKontrola& platny, const TUprava& uprav) const;

private:
    std::string cesta_;
};

} // namespace vantrel
