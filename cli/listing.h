// The output of `zp350cli list`: one line per reader, or a JSON array for scripts.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "reader/reader_info.h"

namespace cli {

struct ListedReader {
    reader::ReaderInfo info;
    std::optional<std::string> versionText;  // none when the reader did not tell it
};

// Text that came from a reader as the companion shows it: one line, with control characters
// and bytes that are not UTF-8 escaped as error lines escape them (\n, \x1b, \xe9).
std::string ReaderText(const std::string& bytes);

// "1  PATH  5131:2007  ver100  TEXT": the reader's number (from 1, what --reader takes), its
// path, the version number in hexadecimal as the window prints it and "-" for a version text
// the reader did not tell.
std::string ListingLine(int number, const ListedReader& reader);
// [{"number": 1, "path": ..., "vendorId": 20785, "productId": 8199, "versionNumber": 256,
//   "versionText": "V1.0" or null}, ...]; the version text as ReaderText shows it.
std::string ListingJson(const std::vector<ListedReader>& readers);

}  // namespace cli
