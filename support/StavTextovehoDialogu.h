#pragma once

#include <array>
#include <string>
#include <vector>

namespace vantrel {

// What each of the two text file dialogs keeps for the life of the main window, whichever
// toolkit draws it: the name it proposes and the entry its encoding row shows. The encoding is
// only remembered: files are read and written in the process code page whatever the row shows.
class TStavTextovehoDialogu {
public:
    // The encoding row's entries, in order; never translated.
    static constexpr std::array<const char16_t*, 6> Encodings = {
        u"ANSI", u"ASCII", u"Unicode", u"Big Endian Unicode", u"UTF-8", u"UTF-7"};

    // The last confirmed result, proposed at the next opening; empty until the first one.
    const std::u16string& FileName() const { return fileName_; }
    // 0..5 into Encodings: the entry shown when the dialog opens.
    int EncodingIndex() const { return encodingIndex_; }

    // The dialog closed, confirmed or cancelled, with this entry shown. An index outside the
    // list (a row showing none) keeps the last one.
    void Zavreno(int encodingIndex) {
        if (encodingIndex >= 0 && encodingIndex < static_cast<int>(Encodings.size()))
            encodingIndex_ = encodingIndex;
    }
    // The dialog was confirmed with these paths: the first is proposed next time.
    void Potvrzeno(const std::vector<std::u16string>& soubory) {
        if (!soubory.empty())
            fileName_ = soubory.front();
    }

private:
    std::u16string fileName_;
    int encodingIndex_ = 0;
};

} // namespace vantrel
