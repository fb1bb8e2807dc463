#pragma once

#include "lang/ChybaJazyka.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The language file as the language engine reads it, whatever parser read it (Qt's DOM on
// Linux, MSXML on Windows): the engine uses elements with their names, texts and attributes and
// the character data of text nodes, nothing else.
namespace vantrel {

// Bounds on what a language file may cost, whichever parser reads it. A real language file is a
// few kilobytes with a few thousand nodes.
inline constexpr std::int64_t MaxVelikostJazyka = 8 * 1024 * 1024; // bytes of the file
// Entry, language element and a little slack; deep nesting makes a DOM slow and its recursive
// clean-up could overflow the stack.
inline constexpr int MaxHloubkaJazyka = 256;
// The document's text (character data and attribute values, internal entities expanded), in
// characters: a 4000-character entity referenced 4000 times must not become a 16-million-
// character caption.
inline constexpr std::int64_t MaxTextJazyka = 4 * 1024 * 1024;
// Elements, texts, comments and other nodes; and attributes, which cost a DOM most.
inline constexpr std::int64_t MaxUzluJazyka = 256 * 1024;
inline constexpr std::int64_t MaxAtributuJazyka = 16 * 1024;
inline constexpr int MaxAtributuPrvku = 256;

struct TUzelJazyka {
    enum class TDruh : std::uint8_t {
        Prvek, // an element
        Text,  // character data: a text node or a CDATA section
        Jiny,  // a comment, a processing instruction, anything else
    };
    TDruh druh = TDruh::Jiny;
    std::u16string jmeno; // an element's qualified name ("p:CZ" or "CZ")
    // A text node's character data; a comment's text or a processing instruction's data, which a
    // language description may hold in place of an element.
    std::u16string text;
    std::vector<std::pair<std::u16string, std::u16string>> atributy; // an element's, names unique
    std::vector<TUzelJazyka> deti;
};

// The parsed file: its document element.
using TDokumentJazyka = TUzelJazyka;

// Checks a parsed tree against the bounds above (depth, nodes, attributes, text); `nazev` names
// the file in the message. Throws EChybaJazyka. A parser that cannot hold the bounds while it
// reads (so that a hostile file never costs more than they allow) checks them itself as well.
void ZkontrolujMezeJazyka(const TDokumentJazyka& dokument, const std::u16string& nazev);

} // namespace vantrel
