#pragma once

#include "lang/DokumentJazyka.h"
#include "lang/SouborJazyka.h"

#include <QByteArray>
#include <QString>

// The language file read with Qt's XML stream reader and DOM.
namespace vantrel {

// Besides the bounds every parser holds (DokumentJazyka.h), those that Qt's parser needs. Before
// the text is measured, the parser's own per-entity limit times the number of entity references
// bounds what the measuring pass itself may have to hold, in characters.
inline constexpr qint64 MaxRozvinutiEntit = 16 * 1024 * 1024;
// The parser compares each attribute of an element with every earlier one, each attribute
// declaration of the document type with every earlier one, and each prefixed name with the
// namespace declarations in force: a real language file has one attribute per language, no
// document type or a few entities in it, and one to three namespaces. These bounds keep each
// of those costs to milliseconds; the attributes of a tag and the document type are checked
// before the parser sees them.
inline constexpr qint64 MaxDelkaDtd = 16 * 1024; // characters of the document type declaration
inline constexpr int MaxDeklaraciNamespace = 64;

// Reads and parses a language file. Only that file is read: no external entity, DTD or
// network resource is ever fetched (such entities are left unexpanded). Whitespace-only text
// between elements is dropped. The encoding is the one the byte order mark or the XML
// declaration names (any that ICU knows, windows-1250 included), UTF-8 otherwise.
// Throws EChybaJazyka for a missing, non-regular or too large file, a read error, an unknown
// encoding, a file over one of the bounds or one that is not well-formed (the message names
// line and column): bytes that are not valid in the encoding, a UTF-16 or UTF-32 file cut
// within a character, and a lone surrogate are not well-formed either.
TDokumentJazyka NactiDokumentJazyka(const QString& cesta);

// The same for bytes already in memory; `nazev` names the source in error messages.
TDokumentJazyka ParsujDokumentJazyka(const QByteArray& data, const QString& nazev);

// NactiDokumentJazyka as the parser of a TSouborJazyka.
TSouborJazyka::TParser ParserJazyka();

} // namespace vantrel
