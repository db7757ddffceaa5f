// Datagrams as the ICMP socket hands them over, IPv4 header first: decoding either gives a reply of
// an echo kind with the datagram's own length, or throws EIcmpException; whether a datagram answers
// a request never reads past its end.
//
// Input: bytes 0-1 the expected sequence, 2-5 the clock; the rest is the datagram.
#include <cstdint>
#include <cstring>
#include <span>

#include "FuzzSupport.h"
#include "IcmpClient.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 6)
        return 0;
    uint16_t sequence;
    uint32_t now;
    std::memcpy(&sequence, data, sizeof sequence);
    std::memcpy(&now, data + 2, sizeof now);
    const std::span<const uint8_t> datagram(data + 6, size - 6);

    (void)AnswersRequest(datagram, sequence, sequence);
    try {
        const TReplyStatus status = DecodeReply(datagram, sequence, now);
        if (!datagram.empty())
            FUZZ_CHECK(status.ReplyBytes == static_cast<int32_t>(datagram.size()));
        (void)ReplyLine(status);
    } catch (const EIcmpException&) {
    }
    return 0;
}
