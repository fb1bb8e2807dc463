#pragma once

// What the settings store's sources share on every platform: the error texts and the key paths.

#include <string>

namespace vantrel::platforma::registr {

inline constexpr char Hive[] = "HKEY_CURRENT_USER";

std::string ChybaTypu(const std::string& jmeno);   // "Invalid data type for '<jmeno>'"
std::string ChybaCteni(const std::string& jmeno);  // "Failed to get data for '<jmeno>'"
std::string ChybaZapisu(const std::string& jmeno); // "Failed to set data for '<jmeno>'"
// The message, then ": " and the reason when there is one to tell.
std::string SDuvodem(const std::string& zprava, const std::string& duvod);
// The reason for an error number in words, or "system error <kod>".
std::string DuvodChyby(int kod);

// A key path's non-empty parts joined by single backslashes.
std::string NormalizujKlic(const std::string& klic);
// The key with its hive, as a section header names it.
std::string CelyKlic(const std::string& klic);

} // namespace vantrel::platforma::registr
