#include "UpdateCheck.h"

#include "myutils.h"

namespace {
// Digits mixed in; Unscramble takes them out.
constexpr const char* ScrambledVersionFile =
    "h1t2t3p4:/5/w6w7w8.k9a0v1i2m3o4r5.e6x7a8m9p0l1e2/3v4e5r6n7o8.9t0x1t";
constexpr const char* ScrambledDownloadPage =
    "h1t2t3p4:/5/w6w7w8.k9a0v1i2m3o4r5.e6x7a8m9p0l1e2/3d4o5w6n7l8o9a0d1.2h3t4m";
constexpr const char* ScrambledMakerSite = "h1t2t3p4:/5/w6w7w8.k9a0v1i2m3o4r5.e6x7a8m9p0l1e2";
} // namespace

bool UpdateQuestionNeeded(std::string_view versionFileText)
{
    const std::string_view firstLine = versionFileText.substr(0, versionFileText.find_first_of("\r\n"));
    return firstLine.find(VersionText) == std::string_view::npos;
}

std::string VersionFileAddress()
{
    return Unscramble(ScrambledVersionFile);
}
std::string DownloadPageAddress()
{
    return Unscramble(ScrambledDownloadPage);
}
std::string MakerWebAddress()
{
    return Unscramble(ScrambledMakerSite);
}
