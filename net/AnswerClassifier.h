// Reading a WHOIS answer as today's registries write it: whether the name asked is free, taken, or
// not answered at all (a failure, a refusal for a limit, a registry without data for the suffix),
// and which part of the answer to show. The old fixed markers of the trimmed answer are the last
// step, for servers that still answer in that form.
#pragma once

#include <string>
#include <string_view>

#include "NameChecker.h"

// The verdict on answer, the untouched reply of a WHOIS server to the question about asked (name +
// suffix) under suffix:
//  1. empty, or the client's own error text: not answered (failed);
//  2. a registry's limit answer: limited, with the wait the server names;
//  3. a registry out of service: not answered (failed); a registry without data for the suffix:
//     not answered (unsupported);
//  4. a registry's not-found answer for asked: free;
//  5. a record of asked, or a name reserved or blocked from registration: taken;
//  6. the old markers of the trimmed answer: free;
//  7. anything else: taken.
// Steps 2 to 5 mark the verdict Recognised.
TVerdict ClassifyAnswer(std::string_view answer, std::string_view suffix, std::string_view asked);

// At most this much of an answer is shown: a label laying out a megabyte freezes the window.
inline constexpr std::size_t MaxShownAnswer = 64 * 1024;

// What the "Who Is?" panel shows of answer: for an answer in a registry's own wording, its lines up
// to the end-of-record line (without the terms of use that follow); for any other, the answer
// trimmed the old way. Never more than MaxShownAnswer.
std::string AnswerToShow(std::string_view answer, std::string_view suffix, const TVerdict& verdict);
