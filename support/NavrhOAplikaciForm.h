#pragma once

// The about dialog OAplikaciForm as designed, for every shell that draws it: its texts and its
// places and sizes in pixels at 96 DPI.
namespace vantrel::navrhOAplikaciForm {

inline constexpr char16_t Titulek[] = u"O aplikaci";
// Label1: the product name and its major version, bold, green (0, 128, 0).
inline constexpr char16_t Nazev[] = u"Vantrel 3";
inline constexpr char16_t lblPopis[] = u"Spojování textových souborů do jednoho";
inline constexpr char16_t Copyright[] = u"© 2026 Tarsk";                   // Label2
inline constexpr char16_t Adresa[] = u"https://tarsk.example.com/vantrel"; // lblURL
inline constexpr char16_t btnZavrit[] = u"Zavřít";

inline constexpr int Sirka = 376;               // client area
inline constexpr int Okraj = 8, PravyOkraj = 7; // to Bevel1's and lblVerze's right edge
inline constexpr int VyskaNazvu = 45, SirkaNazvu = 254, PismoNazvu = 30; // em of Label1's font
inline constexpr int VerzeNahore = 40;
inline constexpr int RamecekNahore = 59, SirkaRamecku = 361, VyskaRamecku = 30;
inline constexpr int SirkaPopisu = 329, VyskaPopisu = 13;
inline constexpr int OkrajPopisu = 16, NadPopisem = 8; // around lblPopis inside Bevel1
inline constexpr int Mezera = 6;                       // from Bevel1 to the copyright line
inline constexpr int RadekTlacitka = 25;               // from that line to btnZavrit
inline constexpr int SirkaZavrit = 75, VyskaTlacitka = 25;

} // namespace vantrel::navrhOAplikaciForm
