#pragma once

#include <QByteArray>
#include <QDomDocument>
#include <QString>

namespace vantrel {

// Bounds on what a language file may cost. A real language file is a few kilobytes; the DOM
// takes some forty times the file's size in memory, so 8 MiB keeps a hostile file to a few
// hundred megabytes while leaving room for hundreds of languages.
inline constexpr qint64 MaxVelikostJazyka = 8 * 1024 * 1024;
// Entry, language element and a little slack; deep nesting makes the DOM slow and its
// recursive clean-up could overflow the stack.
inline constexpr int MaxHloubkaJazyka = 256;
// The document's text (character data and attribute values, internal entities expanded), in
// characters: a real language file holds a few thousand, and a 4000-character entity
// referenced 4000 times must not become a 16-million-character caption.
inline constexpr qint64 MaxTextJazyka = 4 * 1024 * 1024;
// Before the text is measured, the parser's own per-entity limit times the number of entity
// references bounds what the measuring pass itself may have to hold, in characters.
inline constexpr qint64 MaxRozvinutiEntit = 16 * 1024 * 1024;
// The parser compares each attribute of an element with every earlier one, each attribute
// declaration of the document type with every earlier one, and each prefixed name with the
// namespace declarations in force: a real language file has one attribute per language, no
// document type or a few entities in it, and one to three namespaces. These bounds keep each
// of those costs to milliseconds; they are checked before the parser sees a tag.
inline constexpr int MaxAtributuPrvku = 256;
inline constexpr qint64 MaxDelkaDtd = 16 * 1024; // characters of the document type declaration
inline constexpr int MaxDeklaraciNamespace = 64;
// What the document builds: elements, texts, comments, processing instructions and entity
// references, and attributes, which cost the DOM most. A real language file has a few thousand
// nodes; these leave room for hundreds of languages and keep the load well under a second.
inline constexpr qint64 MaxUzluJazyka = 256 * 1024;
inline constexpr qint64 MaxAtributuJazyka = 16 * 1024;

// Reads and parses a language file. Only that file is read: no external entity, DTD or
// network resource is ever fetched (such entities are left unexpanded). Whitespace-only text
// between elements is dropped. The encoding is the one the byte order mark or the XML
// declaration names (any that ICU knows, windows-1250 included), UTF-8 otherwise.
// Throws EChybaJazyka for a missing, non-regular or too large file, a read error, an unknown
// encoding, a file over one of the limits above or one that is not well-formed (the message
// names line and column): bytes that are not valid in the encoding, a UTF-16 or UTF-32 file cut
// within a character, and a lone surrogate are not well-formed either.
QDomDocument NactiDokumentJazyka(const QString& cesta);

// The same for bytes already in memory; `nazev` names the source in error messages.
QDomDocument ParsujDokumentJazyka(const QByteArray& data, const QString& nazev);

// Holds the parsed language file for the whole run, as the main window's xdcJazyk.
class TXmlDokument {
public:
    // A new path drops a loaded document; the same path again changes nothing.
    void NastavSoubor(const QString& cesta);
    QString Soubor() const { return soubor_; }

    // Parses the file unless it has been parsed already. A failed parse leaves the document
    // unopened (and throws), so the next call tries again.
    void Otevri();
    bool Otevreny() const { return otevreny_; }

    // The parsed document, or nullptr until Otevri has succeeded.
    QDomDocument* Dokument() { return otevreny_ ? &dokument_ : nullptr; }

private:
    QString soubor_;
    QDomDocument dokument_;
    bool otevreny_ = false;
};

} // namespace vantrel
