// Socket errors as the numbers users and event handlers see: the WinSock codes,
// translated from the errno values the POSIX socket calls report.
#pragma once

#include <cstdint>

// The WinSock number for errno value `err`; an errno without a WinSock
// counterpart is returned unchanged, so it matches no WinSock name.
int32_t WinsockErrorFromErrno(int err);
