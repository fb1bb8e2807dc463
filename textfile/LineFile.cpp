#include "textfile/LineFile.h"

#include "platforma/KodovaStranka.h"
#include "platforma/Soubory.h"
#include "textfile/PrevodRadku.h"

#include <algorithm>
#include <cstring>

namespace vantrel {

namespace {

constexpr int Konec = -1;
constexpr std::size_t DelkaUseku = 255;

bool CrLf(const TLineFile& f) {
    return (f.Flags & FlagCrLf) != 0;
}

bool Prirazen(const TLineFile& f) {
    return f.Mode >= ModeClosed && f.Mode <= ModeInOut;
}

void Chyba(int kod, const TLineFile& f) {
    detail::ZaznamenejIoChybu(kod, f.Path);
}

int NicNedelej(TLineFile&) {
    return 0;
}

int NaplnZeSouboru(TLineFile& f) {
    f.Position = f.Filled = 0;
    return platforma::Cti(f.Handle, f.Data, f.Capacity, f.Filled);
}

int Vypis(TLineFile& f) {
    if (f.Position == 0)
        return 0;
    const std::uint32_t kolik = f.Position;
    f.Position = 0;
    return platforma::Zapis(f.Handle, f.Data, kolik);
}

int ZavriHandle(TLineFile& f) {
    f.Mode = ModeClosed;
    const platforma::THandle handle = f.Handle;
    f.Handle = platforma::ZadnyHandle;
    return platforma::Zavri(handle);
}

// Sets up an opened output by the kind of device behind it: a character device (a terminal)
// gets every line at once.
int DokonciOtevreniVystupu(TLineFile& f) {
    switch (platforma::DruhZarizeni(f.Handle)) {
    case platforma::TDruhZarizeni::Neznamy:
        ZavriHandle(f);
        return IoNeniProZapis;
    case platforma::TDruhZarizeni::Znakove:
        f.FlushProc = Vypis;
        break;
    case platforma::TDruhZarizeni::Disk:
    case platforma::TDruhZarizeni::Roura:
        break;
    }
    return 0;
}

int StandardniOtevreni(TLineFile& f) {
    f.Position = f.Filled = 0;
    f.CloseProc = ZavriHandle;
    f.FlushProc = NicNedelej;
    int kod;
    if (f.Mode == ModeInput) {
        f.TransferProc = NaplnZeSouboru;
        kod = platforma::OtevriProCteni(f.Path, f.Handle, (f.Flags & FlagBezCekani) != 0);
    } else if (f.Mode == ModeOutput) {
        f.TransferProc = Vypis;
        kod = platforma::OtevriProZapis(f.Path, f.Handle);
    } else {
        kod = 1; // ERROR_INVALID_FUNCTION: reading and writing at once is not offered
    }
    if (kod != 0) {
        f.Mode = ModeClosed;
        return kod;
    }
    return f.Mode == ModeOutput ? DokonciOtevreniVystupu(f) : 0;
}

// The opener of a standard stream: input or output by the record's assignment, never both.
int OtevreniStandardnihoProudu(TLineFile& f, std::uint16_t mode) {
    f.Position = f.Filled = 0;
    f.CloseProc = ZavriHandle;
    f.FlushProc = NicNedelej;
    f.TransferProc = mode == ModeInput ? NaplnZeSouboru : Vypis;
    int kod = 1; // ERROR_INVALID_FUNCTION: the stream does not go that way
    if (f.Mode == mode)
        kod = mode == ModeInput ? platforma::OtevriStandardniVstup(f.Handle)
                                : platforma::OtevriStandardniVystup(f.Handle);
    if (kod != 0) {
        f.Mode = ModeClosed;
        return kod;
    }
    return mode == ModeOutput ? DokonciOtevreniVystupu(f) : 0;
}

int OtevreniStandardnihoVstupu(TLineFile& f) {
    return OtevreniStandardnihoProudu(f, ModeInput);
}

int OtevreniStandardnihoVystupu(TLineFile& f) {
    return OtevreniStandardnihoProudu(f, ModeOutput);
}

int OtevriSoubor(TLineFile& f, std::uint16_t mode) {
    if (!Prirazen(f)) {
        Chyba(IoNeprirazen, f);
        return IoNeprirazen;
    }
    if (f.Mode != ModeClosed)
        CloseLineFile(f);
    f.Mode = mode;
    const int kod = f.OpenProc(f);
    if (kod != 0)
        Chyba(kod, f);
    return kod;
}

// One byte, or Konec at the end of the file, at a failure, or (CR LF mode) at a byte 26,
// which stays unread so that the end is found again by every later look.
int VezmiBajt(TLineFile& f) {
    if (f.Mode != ModeInput) {
        Chyba(IoNeniProCteni, f);
        return Konec;
    }
    if (f.Position >= f.Filled) {
        if (const int kod = f.TransferProc(f)) {
            Chyba(kod, f);
            return Konec;
        }
        if (f.Filled == 0) {
            if (CrLf(f))
                f.Data[f.Filled++] = EOFZnak;
            return Konec;
        }
    }
    const unsigned char c = f.Data[f.Position];
    if (c == EOFZnak && CrLf(f))
        return Konec;
    ++f.Position;
    return c;
}

// False when the bytes could not all be appended (the failure is recorded).
bool Pripoj(TLineFile& f, const unsigned char* data, std::size_t delka) {
    if (f.Mode != ModeOutput) {
        Chyba(IoNeniProZapis, f);
        return false;
    }
    // A buffer that becomes exactly full is written out at once.
    while (delka >= f.Capacity - f.Position) {
        const std::size_t volno = f.Capacity - f.Position;
        std::memcpy(f.Data + f.Position, data, volno);
        f.Position = f.Capacity;
        data += volno;
        delka -= volno;
        if (const int kod = f.TransferProc(f)) {
            Chyba(kod, f);
            return false;
        }
    }
    std::memcpy(f.Data + f.Position, data, delka);
    f.Position += static_cast<std::uint32_t>(delka);
    return true;
}

// Reads at most `kolik` bytes of the current line's text (CR bytes dropped) into `kam`; fewer
// than `kolik` means the line ended, the position then at its line end.
std::size_t ReadLineBytes(TLineFile& f, char* kam, std::size_t kolik) {
    if (f.Mode != ModeInput) {
        Chyba(IoNeniProCteni, f);
        return 0;
    }
    const bool crLf = CrLf(f);
    std::size_t ulozeno = 0;
    while (ulozeno < kolik) {
        if (f.Position >= f.Filled) {
            if (VezmiBajt(f) == Konec)
                break;
            --f.Position; // examined below, with the rest of the refilled buffer
        }
        const unsigned char* p = f.Data + f.Position;
        const std::size_t k =
            DelkaTextu(p, std::min<std::size_t>(f.Filled - f.Position, kolik - ulozeno), crLf);
        std::memcpy(kam + ulozeno, p, k);
        ulozeno += k;
        f.Position += static_cast<std::uint32_t>(k);
        if (f.Position >= f.Filled || ulozeno == kolik)
            continue;
        const unsigned char c = p[k];
        if (c != CR)
            break; // LF stays for SkipLine; a 26 stays as the end of the file
        // A CR is never text. Followed by LF it is part of the line end, which stays for
        // SkipLine; otherwise it is dropped and the line goes on. The byte after it may lie
        // beyond this buffer.
        ++f.Position;
        const int dalsi = VezmiBajt(f);
        if (dalsi == Konec)
            break;
        --f.Position;
        if (dalsi == LF)
            break;
    }
    return ulozeno;
}

} // namespace

void AssignLineFile(TLineFile& f, const std::u16string& cesta) {
    f.Handle = -1;
    f.Mode = ModeClosed;
    f.Flags = DefaultCrLf;
    f.Capacity = VychoziKapacita;
    f.Position = f.Filled = 0;
    f.Data = f.Buffer;
    f.OpenProc = StandardniOtevreni;
    f.TransferProc = f.FlushProc = f.CloseProc = NicNedelej;
    f.UserData = nullptr;
    f.Path = cesta;
    std::memset(f.Buffer, 0, sizeof f.Buffer);
}

void AssignStandardOutput(TLineFile& f) {
    AssignLineFile(f, {});
    f.OpenProc = OtevreniStandardnihoVystupu;
}

void AssignStandardInput(TLineFile& f) {
    AssignLineFile(f, {});
    f.OpenProc = OtevreniStandardnihoVstupu;
}

bool SetLineFileBuffer(TLineFile& f, unsigned char* data, std::uint32_t kapacita) {
    if (f.Mode != ModeClosed || data == nullptr || kapacita == 0)
        return false;
    f.Data = data;
    f.Capacity = kapacita;
    f.Position = f.Filled = 0;
    return true;
}

int OpenForReading(TLineFile& f) {
    return OtevriSoubor(f, ModeInput);
}

int OpenForWriting(TLineFile& f) {
    return OtevriSoubor(f, ModeOutput);
}

bool AtEnd(TLineFile& f) {
    if (f.Mode == ModeInput && f.Position < f.Filled)
        return CrLf(f) && f.Data[f.Position] == EOFZnak;
    if (VezmiBajt(f) == Konec)
        return true;
    --f.Position;
    return false;
}

void ReadLineText(TLineFile& f, std::u16string& text) {
    std::string bajty;
    char usek[DelkaUseku];
    std::size_t n;
    do {
        n = ReadLineBytes(f, usek, DelkaUseku);
        bajty.append(usek, n);
    } while (n == DelkaUseku);
    text = ProcessCodePage().Dekoduj(bajty);
}

void SkipLine(TLineFile& f) {
    for (;;) {
        const int c = VezmiBajt(f);
        if (c == Konec || c == LF)
            return;
        if (c == CR) {
            const int dalsi = VezmiBajt(f);
            if (dalsi == Konec || dalsi == LF)
                return;
            --f.Position;
        }
    }
}

TLineFile& WriteText(TLineFile& f, const std::u16string& text) {
    const std::string bajty = ProcessCodePage().Koduj(text);
    Pripoj(f, reinterpret_cast<const unsigned char*>(bajty.data()), bajty.size());
    return f;
}

TLineFile& WriteLineEnd(TLineFile& f) {
    static const unsigned char crLf[] = {CR, LF};
    if (CrLf(f))
        Pripoj(f, crLf, 2);
    else
        Pripoj(f, crLf + 1, 1);
    if (f.Mode == ModeOutput) {
        if (const int kod = f.FlushProc(f))
            Chyba(kod, f);
    } else if (f.Mode != ModeInput) {
        Chyba(IoNeotevren, f);
    }
    return f;
}

bool CopyBufferedLines(TLineFile& vstup, TLineFile& vystup, bool otevreny) {
    if (vstup.Mode != ModeInput) {
        Chyba(IoNeniProCteni, vstup);
        return otevreny;
    }
    if (vystup.Mode != ModeOutput) {
        Chyba(IoNeniProZapis, vystup);
        return otevreny;
    }
    static const unsigned char konecRadku[] = {CR, LF};
    const bool crLfVystup = CrLf(vystup);
    const bool poRadcich = WritesEveryLine(vystup);
    const unsigned char* p = vstup.Data + vstup.Position;
    const unsigned char* const konec = vstup.Data + vstup.Filled;
    while (p < konec) {
        const unsigned char* usek = konec;
        if (poRadcich) {
            if (const void* lf = std::memchr(p, LF, static_cast<std::size_t>(konec - p)))
                usek = static_cast<const unsigned char*>(lf) + 1;
        }
        const TPrevedeno r =
            PrevedRadky(p, static_cast<std::size_t>(usek - p), vystup.Data + vystup.Position,
                        vystup.Capacity - vystup.Position, crLfVystup, CrLf(vstup));
        p += r.precteno;
        vystup.Position += static_cast<std::uint32_t>(r.zapsano);
        if (r.precteno > 0)
            otevreny = p[-1] != LF;
        bool ukoncen = r.precteno > 0 && !otevreny; // a line end was written
        if (vystup.Position == vystup.Capacity) {
            if (const int kod = vystup.TransferProc(vystup)) {
                Chyba(kod, vystup);
                break;
            }
        } else if (r.precteno == 0) {
            if (*p != LF)
                break; // the 26 that ends the input
            // Room for only part of the line end: it is split across the write-out.
            ++p;
            otevreny = false;
            ukoncen = true;
            if (!Pripoj(vystup, crLfVystup ? konecRadku : konecRadku + 1, crLfVystup ? 2 : 1))
                break;
        }
        if (poRadcich && ukoncen) {
            if (const int kod = vystup.FlushProc(vystup)) {
                Chyba(kod, vystup);
                break;
            }
        }
    }
    vstup.Position = static_cast<std::uint32_t>(p - vstup.Data);
    return otevreny;
}

bool WritesEveryLine(const TLineFile& f) {
    return f.FlushProc != NicNedelej;
}

int CloseLineFile(TLineFile& f) {
    if (f.Mode != ModeInput && f.Mode != ModeOutput && f.Mode != ModeInOut) {
        Chyba(IoNeotevren, f);
        return IoNeotevren;
    }
    int kod = f.Mode == ModeOutput ? f.TransferProc(f) : 0;
    // The handle is released even when the last write-out failed; that failure is the one
    // reported.
    const int kodZavreni = f.CloseProc(f);
    if (kod == 0)
        kod = kodZavreni;
    if (kod != 0)
        Chyba(kod, f);
    return kod;
}

} // namespace vantrel
