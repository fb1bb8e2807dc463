#pragma once

#include "platforma/Soubory.h"
#include "textfile/IoStatus.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Buffered, line-oriented text files: the layer through which the join reads and writes.
// Operations never raise; a failure records the calling thread's I/O status (IoStatus.h),
// which the caller turns into EInOutError with CheckIoStatus.
namespace vantrel {

enum : std::uint16_t {
    ModeClosed = 0xD7B0,
    ModeInput = 0xD7B1,
    ModeOutput = 0xD7B2,
    ModeInOut = 0xD7B3,
};

// With FlagCrLf lines are written with CR LF and byte 26 ends a file being read. With
// FlagBezCekani an input that may never deliver (a pipe, socket or character device) is refused
// as it is opened (platforma::ChybaNejistehoVstupu, Chyby.h) instead of being waited for.
enum : std::uint16_t { FlagCrLf = 1, FlagBezCekani = 2 };

// Copied into every record by AssignLineFile.
constexpr std::uint16_t DefaultCrLf = FlagCrLf;

constexpr std::uint32_t VychoziKapacita = 128;

struct TLineFile;
// An operation slot: 0 or an I/O status code.
using TLineFileProc = int (*)(TLineFile&);

// One file, open or not. Owned by its user; Data points into the record itself (or at a
// caller's buffer), so a record is never copied.
struct TLineFile {
    platforma::THandle Handle = platforma::ZadnyHandle;
    std::uint16_t Mode = 0; // none of the four codes: never assigned
    std::uint16_t Flags = 0;
    std::uint32_t Capacity = 0;
    std::uint32_t Position = 0; // next byte to read, or next free byte when writing
    std::uint32_t Filled = 0;   // valid bytes when reading
    unsigned char* Data = nullptr;
    TLineFileProc OpenProc = nullptr;
    TLineFileProc TransferProc = nullptr; // reading: refill; writing: write the buffer out
    TLineFileProc FlushProc = nullptr;    // after every line end written
    TLineFileProc CloseProc = nullptr;
    void* UserData = nullptr; // for the operation slots a caller installs
    std::u16string Path;      // any length
    unsigned char Buffer[VychoziKapacita] = {};

    TLineFile() = default;
    TLineFile(const TLineFile&) = delete;
    TLineFile& operator=(const TLineFile&) = delete;
};

// Names the file and resets the record to closed, CR LF mode, its own 128-byte buffer.
// Opens nothing, reports nothing.
void AssignLineFile(TLineFile& f, const std::u16string& cesta);
// As AssignLineFile, for writing to the process's standard output; Path stays empty.
void AssignStandardOutput(TLineFile& f);
// As AssignLineFile, for reading the process's standard input as it stands; Path stays empty.
void AssignStandardInput(TLineFile& f);
// Gives a closed record a buffer of the caller's instead of its own (Data and Capacity then
// describe it); the bytes read and written do not depend on it. False for an open record or
// an empty buffer.
bool SetLineFileBuffer(TLineFile& f, unsigned char* data, std::uint32_t kapacita);

int OpenForReading(TLineFile& f);
// Creates the file or empties it.
int OpenForWriting(TLineFile& f);

// True when no byte is left (in CR LF mode also at a byte 26). Consumes nothing.
bool AtEnd(TLineFile& f);
// The text of the line at the current position, without its line end and without any CR,
// decoded through the process code page; the position stays at the line end.
void ReadLineText(TLineFile& f, std::u16string& text);
// Moves past the next line end (LF), or to the end of the file.
void SkipLine(TLineFile& f);
TLineFile& WriteText(TLineFile& f, const std::u16string& text);
TLineFile& WriteLineEnd(TLineFile& f);
int CloseLineFile(TLineFile& f);

// The join's copy of a buffer at a time: the bytes buffered in `vstup` from its position on go
// straight into `vystup`'s buffer, converted as ReadLineText, SkipLine, WriteText and
// WriteLineEnd would copy them line by line (given the lossless code page conversion), and
// `vystup` is written out whenever it fills. Stops at the end of the buffered bytes or (CR LF
// mode) at a byte 26, and reads nothing: AtEnd refills. `otevreny` says whether a line was left
// open (its text begun, its end not yet met); the result says the same after the copy, so the
// caller ends such a line when the input ends.
bool CopyBufferedLines(TLineFile& vstup, TLineFile& vystup, bool otevreny);
// Whether every line end written to `f` goes out at once, as it does to a terminal.
bool WritesEveryLine(const TLineFile& f);

} // namespace vantrel
