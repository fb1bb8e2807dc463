#include "win32/Msxml.h"

#include "lang/ChybaJazyka.h"
#include "platforma/Chyby.h"
#include "platforma/FaktaSouboru.h"
#include "platforma/Soubory.h"
#include "platforma/Utf8.h"
#include "win32/MsxmlPoloha.h"

#include <cstdio>
#include <msxml2.h>
#include <objbase.h>
#include <shlwapi.h>
#include <windows.h>
#include <wrl/client.h>

namespace vantrel {

namespace {

using Microsoft::WRL::ComPtr;

// MSXML 6's DOM document and the interface with its properties; the toolchain's headers predate
// the one and do not define the other's identifier.
const CLSID CLSID_DOMDocument60 = {
    0x88d96a05, 0xf192, 0x11d4, {0xa6, 0x5f, 0x00, 0x40, 0x96, 0x32, 0x51, 0xe5}};
const IID IID_IXMLDOMDocument2_ = {
    0x2933bf95, 0x7b36, 0x11d2, {0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60}};

// A parser's reason, without the line end it comes with.
std::string Duvod(BSTR text) {
    std::string vysledek = KodujUtf8(
        std::u16string(reinterpret_cast<const char16_t*>(text), text ? SysStringLen(text) : 0));
    while (!vysledek.empty() && static_cast<unsigned char>(vysledek.back()) <= ' ')
        vysledek.pop_back();
    return vysledek;
}

std::string Hex(HRESULT kod) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(kod));
    return text;
}

// A BSTR released with its holder.
class TBstr {
public:
    TBstr() = default;
    explicit TBstr(const wchar_t* text) : text_(SysAllocString(text)) {}
    TBstr(const TBstr&) = delete;
    TBstr& operator=(const TBstr&) = delete;
    ~TBstr() { SysFreeString(text_); }
    BSTR* operator&() { return &text_; }
    BSTR Get() const { return text_; }
    std::u16string Text() const {
        return std::u16string(reinterpret_cast<const char16_t*>(text_),
                              text_ ? SysStringLen(text_) : 0);
    }

private:
    BSTR text_ = nullptr;
};

// COM for the call, unless the thread has it already (in either apartment).
class TCom {
public:
    TCom() : uvolnit_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    TCom(const TCom&) = delete;
    TCom& operator=(const TCom&) = delete;
    ~TCom() {
        if (uvolnit_)
            CoUninitialize();
    }

private:
    bool uvolnit_;
};

std::u16string HodnotaUzlu(IXMLDOMNode* uzel) {
    VARIANT hodnota;
    VariantInit(&hodnota);
    std::u16string text;
    if (SUCCEEDED(uzel->get_nodeValue(&hodnota)) && hodnota.vt == VT_BSTR)
        text.assign(reinterpret_cast<const char16_t*>(hodnota.bstrVal),
                    SysStringLen(hodnota.bstrVal));
    VariantClear(&hodnota);
    return text;
}

// The DOM as the language engine reads it. What lies beyond twice a bound is not copied: such
// a tree fails ZkontrolujMezeJazyka whatever the rest holds, and copying it all would cost
// what the bounds are there to spare.
class TPrevod {
public:
    bool oriznuto = false;

    void Prvek(IXMLDOMNode* prvek, TUzelJazyka& cil, int hloubka) {
        cil.druh = TUzelJazyka::TDruh::Prvek;
        TBstr jmeno;
        prvek->get_nodeName(&jmeno);
        cil.jmeno = jmeno.Text();
        Atributy(prvek, cil);
        if (hloubka > 2 * MaxHloubkaJazyka) {
            oriznuto = true;
            return;
        }
        ComPtr<IXMLDOMNode> dite;
        prvek->get_firstChild(dite.GetAddressOf());
        while (dite) {
            if (++uzlu_ > 2 * MaxUzluJazyka) {
                oriznuto = true;
                return;
            }
            DOMNodeType druh = NODE_INVALID;
            dite->get_nodeType(&druh);
            TUzelJazyka& uzel = cil.deti.emplace_back();
            if (druh == NODE_ELEMENT) {
                Prvek(dite.Get(), uzel, hloubka + 1);
            } else if (druh == NODE_TEXT || druh == NODE_CDATA_SECTION) {
                uzel.druh = TUzelJazyka::TDruh::Text;
                uzel.text = HodnotaUzlu(dite.Get());
            } else {
                // A comment's text or an instruction's data may stand in a language's
                // description where its name, version or author would.
                uzel.druh = TUzelJazyka::TDruh::Jiny;
                if (druh == NODE_COMMENT || druh == NODE_PROCESSING_INSTRUCTION)
                    uzel.text = HodnotaUzlu(dite.Get());
            }
            ComPtr<IXMLDOMNode> dalsi;
            dite->get_nextSibling(dalsi.GetAddressOf());
            dite = std::move(dalsi);
        }
    }

private:
    void Atributy(IXMLDOMNode* prvek, TUzelJazyka& cil) {
        ComPtr<IXMLDOMNamedNodeMap> atributy;
        long pocet = 0;
        if (FAILED(prvek->get_attributes(atributy.GetAddressOf())) || !atributy ||
            FAILED(atributy->get_length(&pocet)))
            return;
        if (pocet > 2 * MaxAtributuPrvku) {
            pocet = 2 * MaxAtributuPrvku;
            oriznuto = true;
        }
        for (long i = 0; i < pocet; ++i) {
            ComPtr<IXMLDOMNode> atribut;
            if (FAILED(atributy->get_item(i, atribut.GetAddressOf())) || !atribut)
                continue;
            TBstr jmeno;
            atribut->get_nodeName(&jmeno);
            cil.atributy.emplace_back(jmeno.Text(), HodnotaUzlu(atribut.Get()));
        }
    }

    std::int64_t uzlu_ = 1;
};

// "name: line 3, column 7: reason", as the parser gives line and column.
[[noreturn]] void ChybaNaMiste(const std::u16string& nazev, long radek, long sloupec,
                               const std::string& duvod) {
    throw EChybaJazyka(KodujUtf8(nazev) + ": line " + std::to_string(radek) + ", column " +
                       std::to_string(sloupec) + ": " + duvod);
}

[[noreturn]] void ChybaNacteni(IXMLDOMDocument2* dokument, const std::string& data,
                               const std::u16string& nazev) {
    ComPtr<IXMLDOMParseError> chyba;
    long radek = 0;
    long sloupec = 0;
    TBstr duvod;
    if (SUCCEEDED(dokument->get_parseError(chyba.GetAddressOf())) && chyba) {
        chyba->get_line(&radek);
        chyba->get_linepos(&sloupec);
        chyba->get_reason(&duvod);
    }
    if (radek > 0)
        ChybaNaMiste(nazev, radek, sloupec, Duvod(duvod.Get()));
    // The DOM did not say where; its SAX reader does.
    const TPolohaChyby poloha = NajdiChybuMsxml(data);
    if (poloha.nalezena)
        ChybaNaMiste(nazev, poloha.radek, poloha.sloupec, poloha.duvod);
    const std::string text = Duvod(duvod.Get());
    throw EChybaJazyka(KodujUtf8(nazev) + ": " +
                       (text.empty() ? "the file is not well-formed XML" : text));
}

void Nastav(HRESULT kod, const char* co, const std::u16string& nazev) {
    if (FAILED(kod))
        throw EChybaJazyka(KodujUtf8(nazev) + ": the XML parser refused the setting " + co + " (" +
                           Hex(kod) + ")");
}

} // namespace

TDokumentJazyka ParsujJazykMsxml(const std::string& data, const std::u16string& nazev) {
    const TCom com;
    ComPtr<IXMLDOMDocument2> dokument;
    if (const HRESULT kod = CoCreateInstance(CLSID_DOMDocument60, nullptr, CLSCTX_INPROC_SERVER,
                                             IID_IXMLDOMDocument2_,
                                             reinterpret_cast<void**>(dokument.GetAddressOf()));
        FAILED(kod))
        throw EChybaJazyka(KodujUtf8(nazev) +
                           ": the system's XML parser MSXML 6 is not available (" + Hex(kod) + ")");

    Nastav(dokument->put_async(VARIANT_FALSE), "async", nazev);
    Nastav(dokument->put_validateOnParse(VARIANT_FALSE), "validateOnParse", nazev);
    Nastav(dokument->put_resolveExternals(VARIANT_FALSE), "resolveExternals", nazev);
    Nastav(dokument->put_preserveWhiteSpace(VARIANT_FALSE), "preserveWhiteSpace", nazev);
    // A language file needs no document type: without one no entity can be declared, so
    // nothing is fetched and the document can be no larger than the file, which is bounded.
    VARIANT hodnota;
    VariantInit(&hodnota);
    hodnota.vt = VT_BOOL;
    hodnota.boolVal = VARIANT_TRUE;
    Nastav(dokument->setProperty(TBstr(L"ProhibitDTD").Get(), hodnota), "ProhibitDTD", nazev);
    // Stops deep nesting while the DOM is built. Builds without it (Wine's) refuse such depth
    // on their own, and the tree is checked afterwards in any case.
    hodnota.vt = VT_I4;
    hodnota.lVal = MaxHloubkaJazyka;
    dokument->setProperty(TBstr(L"MaxElementDepth").Get(), hodnota);

    // From memory: the parser opens no file and resolves nothing against a base address.
    ComPtr<IStream> proud;
    proud.Attach(SHCreateMemStream(reinterpret_cast<const BYTE*>(data.data()),
                                   static_cast<UINT>(data.size())));
    if (!proud)
        throw EChybaJazyka(KodujUtf8(nazev) + ": " + platforma::PopisChyby(platforma::ChybaPameti));
    VARIANT zdroj;
    VariantInit(&zdroj);
    zdroj.vt = VT_UNKNOWN;
    zdroj.punkVal = proud.Get();
    VARIANT_BOOL nacteno = VARIANT_FALSE;
    if (FAILED(dokument->load(zdroj, &nacteno)) || nacteno != VARIANT_TRUE)
        ChybaNacteni(dokument.Get(), data, nazev);

    // Parsers that do not know ProhibitDTD (Wine's) read the document type instead.
    ComPtr<IXMLDOMDocumentType> typ;
    if (SUCCEEDED(dokument->get_doctype(typ.GetAddressOf())) && typ)
        throw EChybaJazyka(KodujUtf8(nazev) +
                           ": a document type declaration (<!DOCTYPE) is not allowed here");

    ComPtr<IXMLDOMElement> koren;
    if (FAILED(dokument->get_documentElement(koren.GetAddressOf())) || !koren)
        throw EChybaJazyka(KodujUtf8(nazev) + ": the document has no root element");
    TDokumentJazyka strom;
    TPrevod prevod;
    prevod.Prvek(koren.Get(), strom, 1);
    ZkontrolujMezeJazyka(strom, nazev);
    if (prevod.oriznuto)
        throw EChybaJazyka(KodujUtf8(nazev) + ": the document is over the language file's bounds");
    return strom;
}

TDokumentJazyka NactiJazykMsxml(const std::u16string& cesta) {
    const std::string jmeno = KodujUtf8(cesta);
    platforma::TFaktaSouboru fakta;
    if (!platforma::FaktaSouboru(cesta, fakta))
        throw EChybaJazyka(jmeno + ": the file does not exist");
    if (fakta.slozka)
        throw EChybaJazyka(jmeno + ": not a regular file");
    if (fakta.velikost > MaxVelikostJazyka)
        throw EChybaJazyka(jmeno + ": the language file is too large (" +
                           std::to_string(fakta.velikost) + " bytes, at most " +
                           std::to_string(MaxVelikostJazyka) + " allowed)");

    auto chyba = [&](int kod) {
        const std::string popis = platforma::PopisChyby(kod);
        return EChybaJazyka(jmeno + ": " +
                            (popis.empty() ? "system error " + std::to_string(kod) : popis));
    };
    platforma::THandle soubor = platforma::ZadnyHandle;
    // A device or a pipe would block or never end.
    if (const int kod = platforma::OtevriProCteni(cesta, soubor, true);
        kod == platforma::ChybaNejistehoVstupu)
        throw EChybaJazyka(jmeno + ": not a regular file");
    else if (kod != 0)
        throw chyba(kod);
    // One byte past the bound, in case the file grew since it was measured.
    std::string data(static_cast<std::size_t>(MaxVelikostJazyka) + 1, '\0');
    std::size_t precteno = 0;
    int kod = 0;
    while (precteno < data.size()) {
        std::uint32_t kus = 0;
        kod = platforma::Cti(soubor, reinterpret_cast<unsigned char*>(&data[precteno]),
                             static_cast<std::uint32_t>(data.size() - precteno), kus);
        if (kod != 0 || kus == 0)
            break;
        precteno += kus;
    }
    platforma::Zavri(soubor);
    if (kod != 0)
        throw chyba(kod);
    if (precteno > static_cast<std::size_t>(MaxVelikostJazyka))
        throw EChybaJazyka(jmeno + ": the language file is too large (more than " +
                           std::to_string(MaxVelikostJazyka) + " bytes)");
    data.resize(precteno);
    return ParsujJazykMsxml(data, cesta);
}

} // namespace vantrel
