// A whole reader setup (output format and character replacements) and the named choices
// that change it. The command-line options (`--tracks=1,3`) and the profile's lines
// (`tracks = 1,3`) use the same names and values, so both are read by the one function here.
//
//   tracks        track digits separated by commas: 1,2,3
//   cr            packet, none, or track digits (a carriage return after each of them)
//   track1-start, track1-end, track2-start, track2-end, track3-start, track3-end
//                 one printable ASCII character, or nothing (the reader gets 0xFF)
//   replace       up to two pairs "a=x" separated by blanks, or none; "-" stands for a pair
//                 that is not used ("- a=x": only the second pair, as the reader gets it)
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "reader/protocol.h"

namespace settings {

struct Setup {
    reader::FormatSettings format;    // the window's default format unless changed
    reader::ReplaceSettings replace;  // no pair enabled: no replacements
};
// The window's default format and no replacements.
Setup DefaultSetup();

// The format names in the order a profile lists them, then "replace".
const std::vector<std::string>& ChoiceNames();
bool IsFormatChoice(const std::string& name);

// Sets choice `name` to `value`. On a bad value, or one the settings window would refuse,
// the reason, a plain sentence about the choices; `name` must be a choice name.
std::optional<std::string> ApplyChoice(Setup& setup, const std::string& name,
                                       const std::string& value);
// The value that ApplyChoice reads back into the same setup.
std::string ChoiceValue(const Setup& setup, const std::string& name);

// The replacement pairs of `values` ("a=x", up to two) into `replace`; the reason when they
// are not pairs or the window would refuse them. No pair at all is refused as the window
// refuses it only when `needPair` is set.
std::optional<std::string> ParsePairs(const std::vector<std::string>& values, bool needPair,
                                      reader::ReplaceSettings& replace);

}  // namespace settings
