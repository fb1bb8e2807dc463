#pragma once

#include "lang/JazykyXML.h"
#include "support/Hlaseni.h"
#include "support/SoubUtility.h"

namespace vantrel {

// The three process-wide services. Members are created in this order before any window and
// destroyed in the reverse order after the last one.
struct TSluzby {
    TJazykXML Jazyk;
    THlaseni Hlaseni;
    TSouboroveInfo SouboroveInfo;
};

} // namespace vantrel
