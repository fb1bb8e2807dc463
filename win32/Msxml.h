#pragma once

#include "lang/DokumentJazyka.h"

#include <string>

namespace vantrel {

// Reads the language file with the system's MSXML 6 DOM, over COM (initialised here for the
// call when the thread has not done it). Only that file is read: a document type declaration is
// refused, so no DTD, external entity or network resource is ever fetched and no entity can
// make the document larger than the file. Whitespace-only text between elements is dropped.
// The encoding is the one the byte order mark or the XML declaration names (any the system
// knows, windows-1250 included), UTF-8 otherwise.
// Throws EChybaJazyka for a missing, non-regular or too large file, a read error, a file that
// is not well-formed (the message names line and column), one with a document type, or one over
// the bounds of ZkontrolujMezeJazyka.
TDokumentJazyka NactiJazykMsxml(const std::u16string& cesta);

// The same for the file's bytes already in memory; `nazev` names the source in messages.
TDokumentJazyka ParsujJazykMsxml(const std::string& data, const std::u16string& nazev);

} // namespace vantrel
