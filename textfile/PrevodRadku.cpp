#include "textfile/PrevodRadku.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#define VANTREL_BLOKY 1
#elif defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vantrel {

namespace {

// From input byte i and output byte o on: each run of text copied whole, each marked byte dealt
// with alone. Exact at any edge, so it also finishes what the block converters leave.
TPrevedeno PoBezichOd(const unsigned char* vstup, std::size_t delka, unsigned char* vystup,
                      std::size_t misto, bool crLfVystup, bool konec26, std::size_t i,
                      std::size_t o) {
    const std::size_t konecRadku = crLfVystup ? 2 : 1;
    while (i < delka) {
        const std::size_t k = DelkaTextu(vstup + i, std::min(delka - i, misto - o), konec26);
        std::memcpy(vystup + o, vstup + i, k);
        i += k;
        o += k;
        if (i == delka)
            break;
        const unsigned char c = vstup[i];
        if (c == CR) {
            ++i;
        } else if (c == LF && misto - o >= konecRadku) {
            if (crLfVystup)
                vystup[o++] = CR;
            vystup[o++] = LF;
            ++i;
        } else {
            break; // the 26 that ends the text, or no room for c
        }
    }
    return {i, o};
}

TPrevedeno PoBezich(const unsigned char* vstup, std::size_t delka, unsigned char* vystup,
                    std::size_t misto, bool crLfVystup, bool konec26) {
    return PoBezichOd(vstup, delka, vystup, misto, crLfVystup, konec26, 0, 0);
}

#if VANTREL_BLOKY
// The block converters take 64 input bytes a step. A block without marked bytes is stored
// whole; otherwise each stretch between two marks is moved with one 64-byte copy that runs past
// its end, into room that the next copy overwrites. So a step needs 128 bytes of input and 192
// of output room ahead of it (64 bytes that all become CR LF, plus the overrun).
constexpr std::size_t VstupKroku = 128;
constexpr std::size_t MistoKroku = 192;

__attribute__((target("avx2"))) inline std::uint64_t Maska64(__m256i a, __m256i b, __m256i znak) {
    const auto nizsi = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(a, znak)));
    const auto vyssi = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(b, znak)));
    return nizsi | static_cast<std::uint64_t>(vyssi) << 32;
}

// Copies the block at p to vystup + o with its events applied in order: a dropped CR, or a CR
// put before an LF (`pridat`). Returns the new o. Inlined into each block converter, where each
// 64-byte memcpy becomes that converter's widest moves.
inline std::size_t PoUdalostech(const unsigned char* p, unsigned char* vystup, std::size_t o,
                                std::uint64_t udalosti, std::uint64_t pridat) {
    std::size_t od = 0;
    while (udalosti != 0) {
        const auto j = static_cast<std::size_t>(__builtin_ctzll(udalosti));
        std::memcpy(vystup + o, p + od, 64);
        o += j - od;
        const std::size_t pridan = (pridat >> j) & 1;
        vystup[o] = CR; // stays only where a CR is added; a dropped one's place is written over
        o += pridan;
        od = j + 1 - pridan;
        udalosti &= udalosti - 1;
    }
    std::memcpy(vystup + o, p + od, 64);
    return o + 64 - od;
}

__attribute__((target("avx2"))) TPrevedeno BlokyAvx2(const unsigned char* vstup, std::size_t delka,
                                                     unsigned char* vystup, std::size_t misto,
                                                     bool crLfVystup, bool konec26) {
    const __m256i lf = _mm256_set1_epi8(LF);
    const __m256i cr = _mm256_set1_epi8(CR);
    const __m256i eof = _mm256_set1_epi8(EOFZnak);
    std::size_t i = 0, o = 0;
    while (delka - i >= VstupKroku && misto - o >= MistoKroku) {
        const unsigned char* p = vstup + i;
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
        if (konec26 && Maska64(a, b, eof) != 0)
            break;
        const std::uint64_t l = Maska64(a, b, lf);
        const std::uint64_t c = Maska64(a, b, cr);
        // A CR LF inside the block stays as it is; an LF without its CR gets one. A CR LF split
        // between two blocks is a dropped CR and an LF that gets one, which writes the same.
        const std::uint64_t par = crLfVystup ? c & (l >> 1) : 0;
        const std::uint64_t pridat = crLfVystup ? l & ~(c << 1) : 0;
        o = PoUdalostech(p, vystup, o, (c & ~par) | pridat, pridat);
        i += 64;
    }
    return PoBezichOd(vstup, delka, vystup, misto, crLfVystup, konec26, i, o);
}

#define VANTREL_AVX512 "avx512f,avx512bw,avx512vbmi2,bmi2,popcnt"

// Spreads the first 32 bytes out with a CR before each one marked in `pridat`; returns how many
// it wrote.
__attribute__((target(VANTREL_AVX512))) inline std::size_t
Rozprostri(unsigned char* kam, __m512i bajty, std::uint32_t pridat) {
    // Two bits per input byte, its own place above a CR's place that exists where marked;
    // squeezed together they give each output byte's source: 1 an input byte, 0 a CR.
    constexpr std::uint64_t Vlastni = 0xAAAAAAAAAAAAAAAAull;
    const std::uint64_t mista = _pdep_u64(pridat, ~Vlastni) | Vlastni;
    const std::uint64_t zdroj = _pext_u64(Vlastni, mista);
    _mm512_storeu_si512(kam, _mm512_mask_expand_epi8(_mm512_set1_epi8(CR), zdroj, bajty));
    return 32 + static_cast<std::size_t>(__builtin_popcount(pridat));
}

__attribute__((target(VANTREL_AVX512))) TPrevedeno
BlokyAvx512(const unsigned char* vstup, std::size_t delka, unsigned char* vystup, std::size_t misto,
            bool crLfVystup, bool konec26) {
    if (!crLfVystup)
        return BlokyAvx2(vstup, delka, vystup, misto, crLfVystup, konec26);
    const __m512i lf = _mm512_set1_epi8(LF);
    const __m512i cr = _mm512_set1_epi8(CR);
    const __m512i eof = _mm512_set1_epi8(EOFZnak);
    std::size_t i = 0, o = 0;
    // The block before ended with the CR of a CR LF whose LF opens this one: both stay.
    std::uint64_t prenos = 0;
    while (delka - i >= VstupKroku && misto - o >= MistoKroku) {
        const unsigned char* p = vstup + i;
        const __m512i v = _mm512_loadu_si512(p);
        if (konec26 && _mm512_cmpeq_epi8_mask(v, eof) != 0)
            break;
        const std::uint64_t l = _mm512_cmpeq_epi8_mask(v, lf);
        const std::uint64_t c = _mm512_cmpeq_epi8_mask(v, cr);
        if ((l | c) == 0) { // the middle of a long line
            _mm512_storeu_si512(vystup + o, v);
            o += 64;
            i += 64;
            prenos = 0;
            continue;
        }
        const std::uint64_t par = c & ((l >> 1) | static_cast<std::uint64_t>(p[64] == LF) << 63);
        const std::uint64_t pridat = l & ~((c << 1) | prenos);
        const std::uint64_t vypustit = c & ~par;
        prenos = par >> 63;
        if (vypustit != 0) {
            o = PoUdalostech(p, vystup, o, vypustit | pridat, pridat);
        } else {
            o += Rozprostri(vystup + o, v, static_cast<std::uint32_t>(pridat));
            o += Rozprostri(vystup + o, _mm512_loadu_si512(p + 32),
                            static_cast<std::uint32_t>(pridat >> 32));
        }
        i += 64;
    }
    if (prenos != 0) {
        vystup[o++] = LF; // the room of the last step holds it
        ++i;
    }
    return PoBezichOd(vstup, delka, vystup, misto, crLfVystup, konec26, i, o);
}

bool MaAvx512() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi2") &&
           __builtin_cpu_supports("bmi2") && __builtin_cpu_supports("popcnt");
}

bool MaAvx2() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}
#endif

detail::TPrevodnik NejrychlejsiPrevod() {
#if VANTREL_BLOKY
    if (MaAvx512())
        return BlokyAvx512;
    if (MaAvx2())
        return BlokyAvx2;
#endif
    return PoBezich;
}

} // namespace

std::size_t DelkaTextu(const unsigned char* p, std::size_t n, bool konec26) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8(LF);
    const __m128i cr = _mm_set1_epi8(CR);
    const __m128i konec = _mm_set1_epi8(konec26 ? EOFZnak : LF);
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const __m128i zvlastni = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr)), _mm_cmpeq_epi8(v, konec));
        if (const int maska = _mm_movemask_epi8(zvlastni))
            return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(maska)));
    }
#endif
    for (; i < n; ++i) {
        const unsigned char c = p[i];
        if (c <= EOFZnak && (c == LF || c == CR || (c == EOFZnak && konec26)))
            return i;
    }
    return n;
}

TPrevedeno PrevedRadky(const unsigned char* vstup, std::size_t delka, unsigned char* vystup,
                       std::size_t misto, bool crLfVystup, bool konec26) {
    static const detail::TPrevodnik prevod = NejrychlejsiPrevod();
    return prevod(vstup, delka, vystup, misto, crLfVystup, konec26);
}

namespace detail {
std::size_t ImplementacePrevodu(TImplementacePrevodu (&kam)[3]) {
    std::size_t n = 0;
    kam[n++] = {"by runs", PoBezich};
#if VANTREL_BLOKY
    if (MaAvx2())
        kam[n++] = {"AVX2 blocks", BlokyAvx2};
    if (MaAvx512())
        kam[n++] = {"AVX-512 blocks", BlokyAvx512};
#endif
    return n;
}
} // namespace detail

} // namespace vantrel
