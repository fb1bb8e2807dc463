#pragma once

#include <string>

// The seven message texts. Each holds its built-in Czech text until a language is applied;
// a message reads its text when it is built, so a language change shows at the next message.
namespace vantrel::convar {

extern std::u16string rsCHYBA;
extern std::u16string rsNELZEDOREGISTRU;
extern std::u16string rsNELZEZEREGISTRU;
extern std::u16string rsVAROVANI;
extern std::u16string rsSMAZATSOUBORY;
extern std::u16string rsSPOJENO;
extern std::u16string rsSOUBORU;

// Each text with its key in section "Obecne" of the language file and its built-in text, in
// the order in which they are fetched.
struct TZpravovyText {
    std::u16string* text;
    const char16_t* klic;
    const char16_t* vychozi;
};
extern const TZpravovyText ZpravoveTexty[7];

void NastavVychoziTexty();

} // namespace vantrel::convar
