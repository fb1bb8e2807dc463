#pragma once

#include <string>
#include <vector>

namespace vantrel::test {

// The join's rules, byte by byte, written as simply as possible to check the real one against:
// a file ends at its first byte 26; its lines end at LF; a CR is never text; a last line without
// LF still counts when any byte is left for it; every line is written with CR LF; each file is
// followed by one empty line.
inline std::string ReferencniSpojeni(const std::vector<std::string>& soubory) {
    std::string vystup;
    for (const std::string& soubor : soubory) {
        std::string radek;
        bool rozepsany = false;
        for (char c : soubor) {
            if (c == '\x1a')
                break;
            if (c == '\n') {
                vystup += radek + "\r\n";
                radek.clear();
                rozepsany = false;
                continue;
            }
            rozepsany = true;
            if (c != '\r')
                radek.push_back(c);
        }
        if (rozepsany)
            vystup += radek + "\r\n";
        vystup += "\r\n";
    }
    return vystup;
}

// The byte rules alone, for a block converted at once: CR dropped, LF as the line end (CR LF or
// LF), a 26 ending the text where it may.
inline std::string ReferencniPrevod(const std::string& vstup, bool crLfVystup, bool konec26) {
    std::string vystup;
    for (char c : vstup) {
        if (c == '\x1a' && konec26)
            break;
        if (c == '\n')
            vystup += crLfVystup ? "\r\n" : "\n";
        else if (c != '\r')
            vystup.push_back(c);
    }
    return vystup;
}

} // namespace vantrel::test
