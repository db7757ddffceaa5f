// The update check's decision and the addresses on the maker's site it uses, kept scrambled like the
// program's other texts of its maker.
#pragma once

#include <string>
#include <string_view>

// The version text looked for in the version file's first line.
inline constexpr std::string_view VersionText = "2.15";

// Whether the version file's first line lacks VersionText, so the user is asked to update.
bool UpdateQuestionNeeded(std::string_view versionFileText);

std::string VersionFileAddress();  // the version file
std::string DownloadPageAddress(); // where a newer version is downloaded
std::string MakerWebAddress();     // the maker's site, the grabbers' agent text
