// A downloaded page reduced to the text a scan reads: one line per run of text between tags that is
// not blank, with line breaks folded, references decoded and scripts gone.
#pragma once

#include <string>
#include <string_view>

// The scan file's bytes for page: its lines split at CR, LF or CR LF (a NUL ends the page),
// tokenized, and each text token that is not blank written as a line ended by CR LF.
std::string ConvertPageToText(std::string_view page);
