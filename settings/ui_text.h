// Every caption and message of the program in English and Chinese.
//
// The texts are Unicode and reach the screen through the wide calls, so both languages read
// correctly whatever the system's ANSI code page is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Language of the interface: kEnglish (1) or kChinese (0). Every run starts in English;
// only the two language radio buttons change it.
extern unsigned char UiLanguage;
constexpr unsigned char kEnglish = 1;
constexpr unsigned char kChinese = 0;

inline bool InEnglish() {
    return UiLanguage != kChinese;
}

// The one of two texts that is in the language asked for.
template <typename Char>
const Char* Pick(bool english, const Char* englishText, const Char* chineseText) {
    return english ? englishText : chineseText;
}

// A control caption that the language passes rewrite.
struct Caption {
    int controlId;
    const wchar_t* chinese;
    const wchar_t* english;
};

// The captions in the order in which each language pass sets them.
extern const Caption kCaptions[];
extern const std::size_t kCaptionCount;

const wchar_t* WindowTitle(bool english);

// Why a message is shown. Texts pair by occasion: one English text may stand beside
// different Chinese texts on different occasions.
enum class Occasion {
    FindAlreadyConnected,
    FindNoDeviceList,
    FindDetailFailed,
    FindFound,
    FindNoReader,
    DisconnectClosed,
    DisconnectNoReader,
    CommandNoReader,
    CommandNoPreparsedData,
    FormatNoTrack,
    // Only the command-line program can ask for both kinds of carriage return; the window's
    // check boxes keep them apart (its notice line says so).
    FormatCrConflict,
    // A sentinel that is a digit: the till could not tell it from the card's digits.
    FormatDigitSentinel,
    // A carriage return after a track that is not output: the reader never sends it.
    FormatReturnWithoutTrack,
    FormatSendTimeout,
    FormatSent,
    FormatReceiveTimeout,
    FormatRefused,
    FormatAccepted,
    CommandSendTimeout,
    CommandSent,
    CommandReceiveTimeout,
    VersionAnswer,
    ReplaceNoPairChosen,
    ReplacePairIncomplete,
    ReplaceRefused,
    ReplaceAccepted,
    CancelRefused,
    CancelAccepted,
    // The reader's report lengths are outside what the commands can serve.
    CommandReportSizeUnsupported,
    // Another program kept the reader for longer than a command waits for its turn.
    ReaderBusy,
};

enum class Shown { Status, Box, StatusAndBox };

// Message-box icons, as the platform numbers them.
constexpr unsigned kIconError = 0x10;
constexpr unsigned kIconInformation = 0x40;

struct Message {
    Occasion occasion;
    Shown shown;
    const wchar_t* title;  // null when the message only goes to the status line
    unsigned icon;
    const wchar_t* english;
    const wchar_t* chinese;

    const wchar_t* Text(bool inEnglish) const { return inEnglish ? english : chinese; }
};

const Message& MessageFor(Occasion occasion);

// "Detect device OK,ver%X": the reader's version number in upper-case hexadecimal without
// leading zeros.
std::wstring FoundText(std::uint16_t versionNumber, bool english);
