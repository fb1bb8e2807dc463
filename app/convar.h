#pragma once

#include <QString>

// The seven message texts. Each holds its built-in Czech text until a language is applied;
// a message reads its text when it is built, so a language change shows at the next message.
namespace vantrel::convar {

extern QString rsCHYBA;
extern QString rsNELZEDOREGISTRU;
extern QString rsNELZEZEREGISTRU;
extern QString rsVAROVANI;
extern QString rsSMAZATSOUBORY;
extern QString rsSPOJENO;
extern QString rsSOUBORU;

// Each text with its key in section "Obecne" of the language file and its built-in text, in
// the order in which they are fetched.
struct TZpravovyText {
    QString* text;
    const char* klic;
    const char* vychozi;
};
extern const TZpravovyText ZpravoveTexty[7];

void NastavVychoziTexty();

} // namespace vantrel::convar
