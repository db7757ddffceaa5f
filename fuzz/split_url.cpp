// The parting of a web address into server and object name: an "HTTP://" in any letter case is
// dropped, the first "/" parts the two, and nothing else of the address is lost or changed.
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "HttpGrabber.h"
#include "myutils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view url(reinterpret_cast<const char*>(data), size);
    const auto [server, object] = SplitUrl(url);
    if (StartsNoCase(url, "http://"))
        url.remove_prefix(7);
    FUZZ_CHECK(server.find('/') == std::string::npos);
    if (url.find('/') == std::string_view::npos)
        FUZZ_CHECK(server == url && object.empty());
    else
        FUZZ_CHECK(server + "/" + object == url);
    return 0;
}
