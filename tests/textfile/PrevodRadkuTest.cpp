// Every implementation of the block conversion this processor runs, held to the byte rules:
// the edges of its 64-byte steps, the room of the output, and random text rich in marked bytes.

#include "textfile/PrevodRadku.h"

#include "Pomocne.h"
#include "Reference.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace vantrel {
namespace {

// Converts all of `vstup` in calls with at most `misto` bytes of room, each output written out
// as a full buffer would be, as the line file does. Checks each call's own promise on the way.
std::string Prevod(detail::TPrevodnik prevod, const std::string& vstup, std::size_t misto,
                   bool crLfVystup, bool konec26) {
    const auto* p = reinterpret_cast<const unsigned char*>(vstup.data());
    std::vector<unsigned char> buffer(misto);
    std::string vystup;
    std::size_t i = 0;
    while (i < vstup.size()) {
        const TPrevedeno r =
            prevod(p + i, vstup.size() - i, buffer.data(), misto, crLfVystup, konec26);
        EXPECT_LE(r.zapsano, misto);
        EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + static_cast<long>(r.zapsano)),
                  test::ReferencniPrevod(vstup.substr(i, r.precteno), crLfVystup, konec26));
        vystup.append(buffer.begin(), buffer.begin() + static_cast<long>(r.zapsano));
        i += r.precteno;
        if (r.precteno == 0) {
            // Only a 26 that ends the text, or a line end without room, stops it.
            if (konec26 && vstup[i] == '\x1a')
                break;
            EXPECT_EQ(vstup[i], '\n');
            EXPECT_LT(misto - r.zapsano, crLfVystup ? 2u : 1u);
            if (misto < (crLfVystup ? 2u : 1u))
                return vystup; // a line end never fits
        }
    }
    return vystup;
}

std::vector<detail::TImplementacePrevodu> Implementace() {
    detail::TImplementacePrevodu kam[3];
    const std::size_t n = detail::ImplementacePrevodu(kam);
    return {kam, kam + n};
}

TEST(PrevodRadku, EdgesOfTheBlocks) {
    const std::string a64(64, 'a'), a63(63, 'a'), a200(200, 'a');
    const struct {
        const char* nazev;
        std::string vstup;
    } pripady[] = {
        {"CR LF split between two blocks", a63 + "\r\n" + a200},
        {"CR that ends a block, then text", a63 + "\rx" + a200},
        {"CR LF at the start of a block", a64 + "\r\n" + a200},
        {"LF that opens a block", a64 + "\n" + a200},
        {"CR CR LF across a block", std::string(62, 'a') + "\r\r\n" + a200},
        {"26 in the second block", a64 + "abc\x1a" + a200},
        {"26 right after a split CR LF", a63 + "\r\n\x1a" + a200},
        {"lone CR and LF in every block",
         [] {
             std::string s;
             for (int i = 0; i < 20; ++i)
                 s += std::string(30, 'b') + "\r" + std::string(20, 'c') + "\n";
             return s;
         }()},
        {"only line ends", std::string(300, '\n')},
        {"only CR", std::string(300, '\r')},
        {"CR LF pairs",
         [] {
             std::string s;
             for (int i = 0; i < 150; ++i)
                 s += "\r\n";
             return s;
         }()},
        {"zero bytes and high bytes", std::string(100, '\0') + "\n\xff\xfe\r\n" + a200},
    };
    for (const auto& impl : Implementace()) {
        for (const auto& p : pripady) {
            for (bool crLf : {true, false}) {
                for (bool konec26 : {true, false}) {
                    for (std::size_t misto : {1u, 2u, 3u, 191u, 192u, 193u, 256u, 4096u}) {
                        SCOPED_TRACE(std::string(impl.nazev) + ", " + p.nazev + ", room " +
                                     std::to_string(misto) + (crLf ? ", CR LF" : ", LF") +
                                     (konec26 ? ", 26 ends" : ""));
                        const std::string ocekavane =
                            test::ReferencniPrevod(p.vstup, crLf, konec26);
                        if (misto < 2 && crLf && ocekavane.find('\n') != std::string::npos)
                            continue; // a CR LF never fits: the caller splits it
                        EXPECT_EQ(test::Citelne(Prevod(impl.prevod, p.vstup, misto, crLf, konec26)),
                                  test::Citelne(ocekavane));
                    }
                }
            }
        }
    }
}

TEST(PrevodRadku, RandomTextAtRandomRoom) {
    for (const auto& impl : Implementace()) {
        SCOPED_TRACE(impl.nazev);
        std::mt19937 nahoda(7);
        for (int pokus = 0; pokus < 3000; ++pokus) {
            // From text with a rare line end to text that is mostly CR and LF.
            const unsigned hustota = 1 + nahoda() % 40;
            std::string vstup(nahoda() % 700, 'x');
            for (char& c : vstup) {
                const unsigned volba = nahoda() % 100;
                c = volba < hustota                 ? '\n'
                    : volba < hustota + hustota / 2 ? '\r'
                    : volba == 99 && pokus % 4 == 0 ? '\x1a'
                                                    : static_cast<char>('a' + nahoda() % 26);
            }
            const std::size_t misto = 2 + nahoda() % 600;
            const bool konec26 = pokus % 3 != 0;
            ASSERT_EQ(Prevod(impl.prevod, vstup, misto, true, konec26),
                      test::ReferencniPrevod(vstup, true, konec26))
                << "try " << pokus << ", room " << misto;
        }
    }
}

} // namespace
} // namespace vantrel
