#pragma once

#include "lang/Komponenta.h"

#include <QString>
#include <Qt>

class QObject;
class QTreeWidget;

namespace vantrel {

// The translation mark of a window or component: the dynamic property "Tag" (int). Only
// components whose mark is ZnackaPreklad are translated; a missing property counts as 0.
inline constexpr char VlastnostZnacka[] = "Tag";

// A list-view column carries its own mark in the header item's data for that column.
inline constexpr int RoleZnackaSloupce = Qt::UserRole + 0x4A01;

// The full hint "short|long" is kept in the dynamic property "Hint"; the short part is the
// tooltip, the long part the status tip, and a hint without "|" serves as both.
inline constexpr char VlastnostHint[] = "Hint";

// Whether the component shows tooltips (dynamic property "ShowHint", bool, default true).
// When false the tooltip is left empty and only the status tip is shown.
inline constexpr char VlastnostZobrazHint[] = "ShowHint";

void NastavZnacku(QObject* objekt, int znacka);
int Znacka(const QObject* objekt);

void NastavZnackuSloupce(QTreeWidget* seznam, int sloupec, int znacka);
int ZnackaSloupce(const QTreeWidget* seznam, int sloupec);

// Sets the "Hint" property and the tooltip and status tip that follow from it (widgets and
// actions; other objects keep only the property).
void NastavHint(QObject* objekt, const QString& hint);
// The full hint: the "Hint" property when set; for a widget without it, rebuilt from its
// tooltip and status tip (so hints from layouts that set only those still count). An action
// without the property has no hint, since its tooltip falls back to its text.
QString Hint(const QObject* objekt);

// A tooltip showing `text` as it is: a text that Qt would take for markup (a translation holding
// "<img src=...>") is given as escaped rich text.
QString TextTipu(const QString& text);

// The short and the long part of a hint (JazykyXML.h).
QString KratkyHint(const QString& hint);
QString DlouhyHint(const QString& hint);

void NastavZobrazHint(QObject* objekt, bool zobrazit);
bool ZobrazHint(const QObject* objekt);

} // namespace vantrel
