// An RDAP reply's body, read as a verdict and a summary for the panel: whatever the JSON holds, a
// 200 reply is either a domain record (taken) or no verdict, and reading it never throws.
//
// Input: the body of a 200 reply about "example.com".
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "RdapClient.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TRdapClient::TReply reply;
    reply.Status = 200;
    reply.Body.assign(reinterpret_cast<const char*>(data), size);
    const TCheckResult result = RdapResult(reply, "example.com");
    FUZZ_CHECK(result.Verdict.Kind == TVerdictKind::Taken ||
               result.Verdict.Kind == TVerdictKind::NotAnswered);
    FUZZ_CHECK(!result.Answer.empty());
    return 0;
}
