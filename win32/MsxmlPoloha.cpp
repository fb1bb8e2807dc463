#include "win32/MsxmlPoloha.h"

#include "lang/DokumentJazyka.h"
#include "platforma/Utf8.h"

#include <msxml2.h>
#include <objbase.h>
#include <shlwapi.h>
#include <windows.h>
#include <wrl/client.h>

namespace vantrel {

namespace {

using Microsoft::WRL::ComPtr;

// MSXML 6's SAX reader and the interfaces this file implements; the toolchain's headers name
// neither.
const CLSID CLSID_SAXXMLReader60 = {
    0x88d96a0c, 0xf192, 0x11d4, {0xa6, 0x5f, 0x00, 0x40, 0x96, 0x32, 0x51, 0xe5}};
const IID IID_ISAXXMLReader_ = {
    0xa4f96ed0, 0xf829, 0x476e, {0x81, 0xc0, 0xcd, 0xc7, 0xbd, 0x2a, 0x08, 0x02}};
const IID IID_ISAXContentHandler_ = {
    0x1545cdfa, 0x9e4e, 0x4497, {0xa8, 0xa4, 0x2b, 0xf7, 0xd0, 0x11, 0x2c, 0x44}};
const IID IID_ISAXErrorHandler_ = {
    0xa60511c4, 0xccf5, 0x479e, {0x98, 0xa3, 0xdc, 0x8d, 0xc5, 0x45, 0xb7, 0xd0}};

std::string Utf8(const wchar_t* text) {
    return KodujUtf8(std::u16string(reinterpret_cast<const char16_t*>(text), wcslen(text)));
}

// Records the first stop and its place. Lives on the stack while the reader, which is released
// before it, holds it: the reference count is not used.
class TPozorovatel final : public ISAXContentHandler, public ISAXErrorHandler {
public:
    TPolohaChyby poloha;

    HRESULT WINAPI QueryInterface(REFIID iid, void** objekt) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ISAXContentHandler_))
            *objekt = static_cast<ISAXContentHandler*>(this);
        else if (IsEqualIID(iid, IID_ISAXErrorHandler_))
            *objekt = static_cast<ISAXErrorHandler*>(this);
        else
            return *objekt = nullptr, E_NOINTERFACE;
        return S_OK;
    }
    ULONG WINAPI AddRef() override { return 2; }
    ULONG WINAPI Release() override { return 1; }

    HRESULT WINAPI putDocumentLocator(ISAXLocator* lokator) override {
        lokator_ = lokator;
        return S_OK;
    }
    HRESULT WINAPI startElement(const wchar_t*, int, const wchar_t*, int, const wchar_t*, int,
                                ISAXAttributes*) override {
        if (++hloubka_ <= MaxHloubkaJazyka)
            return S_OK;
        Zaznamenej(lokator_,
                   "elements nested deeper than " + std::to_string(MaxHloubkaJazyka) + " levels");
        return E_FAIL;
    }
    HRESULT WINAPI endElement(const wchar_t*, int, const wchar_t*, int, const wchar_t*,
                              int) override {
        --hloubka_;
        return S_OK;
    }
    HRESULT WINAPI startDocument() override { return S_OK; }
    HRESULT WINAPI endDocument() override { return S_OK; }
    HRESULT WINAPI startPrefixMapping(const wchar_t*, int, const wchar_t*, int) override {
        return S_OK;
    }
    HRESULT WINAPI endPrefixMapping(const wchar_t*, int) override { return S_OK; }
    HRESULT WINAPI characters(const wchar_t*, int) override { return S_OK; }
    HRESULT WINAPI ignorableWhitespace(const wchar_t*, int) override { return S_OK; }
    HRESULT WINAPI processingInstruction(const wchar_t*, int, const wchar_t*, int) override {
        return S_OK;
    }
    HRESULT WINAPI skippedEntity(const wchar_t*, int) override { return S_OK; }

    HRESULT WINAPI error(ISAXLocator* lokator, const wchar_t* zprava, HRESULT kod) override {
        Zaznamenej(lokator, Utf8(zprava));
        return kod;
    }
    HRESULT WINAPI fatalError(ISAXLocator* lokator, const wchar_t* zprava, HRESULT kod) override {
        Zaznamenej(lokator, Utf8(zprava));
        return kod;
    }
    HRESULT WINAPI ignorableWarning(ISAXLocator*, const wchar_t*, HRESULT) override { return S_OK; }

private:
    // Only the first: a stop the handler asks for is reported again as a failed call.
    void Zaznamenej(ISAXLocator* lokator, std::string duvod) {
        if (poloha.nalezena)
            return;
        int radek = 0;
        int sloupec = 0;
        if (lokator != nullptr) {
            lokator->getLineNumber(&radek);
            lokator->getColumnNumber(&sloupec);
        }
        while (!duvod.empty() && static_cast<unsigned char>(duvod.back()) <= ' ')
            duvod.pop_back();
        poloha = {true, radek, sloupec, std::move(duvod)};
    }

    ISAXLocator* lokator_ = nullptr;
    int hloubka_ = 0;
};

} // namespace

TPolohaChyby NajdiChybuMsxml(const std::string& data) {
    TPozorovatel pozorovatel;
    {
        ComPtr<ISAXXMLReader> ctenar;
        if (FAILED(CoCreateInstance(CLSID_SAXXMLReader60, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_ISAXXMLReader_,
                                    reinterpret_cast<void**>(ctenar.GetAddressOf()))))
            return {};
        // As the DOM reads it: no document type, nothing fetched. Readers that do not know a
        // feature keep their defaults, which fetch nothing either.
        ctenar->putFeature(L"prohibit-dtd", VARIANT_TRUE);
        ctenar->putFeature(L"external-general-entities", VARIANT_FALSE);
        ctenar->putFeature(L"external-parameter-entities", VARIANT_FALSE);
        ctenar->putContentHandler(&pozorovatel);
        ctenar->putErrorHandler(&pozorovatel);

        ComPtr<IStream> proud;
        proud.Attach(SHCreateMemStream(reinterpret_cast<const BYTE*>(data.data()),
                                       static_cast<UINT>(data.size())));
        if (!proud)
            return {};
        VARIANT vstup;
        VariantInit(&vstup);
        vstup.vt = VT_UNKNOWN;
        vstup.punkVal = proud.Get();
        ctenar->parse(vstup);
    }
    return pozorovatel.poloha;
}

} // namespace vantrel
