#include "swipe/swipe_texts.h"

#include "settings/ui_text.h"
#include "settings/utf8.h"
#include "swipe/card_mask.h"
#include "swipe/keyboard_layouts.h"
#include "swipe/typed_text.h"

namespace swipe {
namespace {

// Text as one line shows it. Numbers are masked before escaping and once more after it, so
// that the digits of an escape next to a number cannot make a run that is not masked.
std::string Shown(const std::string& text, bool showAll) {
    if (showAll)
        return Escaped(text);
    return MaskCardNumbers(Escaped(MaskCardNumbers(text)));
}

std::string Quoted(const std::string& character, bool showAll) {
    return "'" + Shown(character, showAll) + "'";
}

std::string TrackPrefix(int track, bool english) {
    const std::string number = std::to_string(track);
    return Pick(english, "Track ", "轨道 ") + number + Pick(english, ": ", "：");
}

std::string TrackLine(const TrackTyped& track, bool english, bool showAll) {
    const std::string number = std::to_string(track.track);
    std::string what;
    switch (track.state) {
        case TrackState::Read:
            what = Shown(track.typed, showAll);
            break;
        case TrackState::NoData:
            what =
                Pick(english, "no data on track ", "轨道 ") + number + Pick(english, "", " 无数据");
            break;
        case TrackState::Unreadable:
            what = Pick(english, "track ", "轨道 ") + number +
                   Pick(english, " could not be read", " 无法读取");
            break;
    }
    return TrackPrefix(track.track, english) + what;
}

// "the form expects the start sentinel '%', came '#'", "... came none", "the form expects no
// start sentinel, came '%'".
std::string SentinelText(const Difference& difference, const char* englishName,
                         const char* chineseName, bool english, bool showAll) {
    std::string text;
    if (difference.expected.empty())
        text = Pick(english, "the form expects no ", "格式不要求") +
               std::string(Pick(english, englishName, chineseName));
    else
        text = Pick(english, "the form expects the ", "格式要求") +
               std::string(Pick(english, englishName, chineseName)) + " " +
               Quoted(difference.expected, showAll);
    if (difference.came.empty())
        return text + Pick(english, ", came none", "，未收到");
    return text + Pick(english, ", came ", "，收到 ") + Quoted(difference.came, showAll);
}

std::string DifferenceText(const Difference& difference, bool english, bool showAll) {
    const bool packet = difference.track == 0;
    switch (difference.kind) {
        case DifferenceKind::StartSentinel:
            return SentinelText(difference, "start sentinel", "起始符", english, showAll);
        case DifferenceKind::EndSentinel:
            return SentinelText(difference, "end sentinel", "结束符", english, showAll);
        case DifferenceKind::MissingReturn:
            if (packet)
                return Pick(english, "the form expects a carriage return, none came",
                            "格式要求回车，未收到");
            return Pick(english, "the form expects a carriage return after the track, none came",
                        "格式要求轨道后带回车，未收到");
        case DifferenceKind::ExtraReturn:
            if (packet)
                return Pick(english, "a carriage return came, the form expects none",
                            "收到回车，格式不要求");
            return Pick(english, "a carriage return came after the track, the form expects none",
                        "轨道后收到回车，格式不要求");
        case DifferenceKind::NotReplaced:
            return Quoted(difference.came, showAll) +
                   Pick(english, " should have been replaced by ", " 应被替换为 ") +
                   Quoted(difference.expected, showAll);
        case DifferenceKind::AfterPacket:
            break;
    }
    return "\"" + Shown(difference.came, showAll) + "\"";
}

std::string DifferenceLine(const Difference& difference, bool english, bool showAll) {
    const std::string prefix = difference.track == 0
                                   ? std::string(Pick(english, "After the packet: ", "整包之后："))
                                   : TrackPrefix(difference.track, english);
    return prefix + DifferenceText(difference, english, showAll);
}

std::string LayoutLine(const std::string& englishName, bool english) {
    std::string name = englishName;
    for (std::size_t i = 0; i < CommonLayoutCount(); ++i)
        if (englishName == CommonLayouts()[i].english && !english)
            name = CommonLayouts()[i].chinese;
    if (english)
        return "The characters are those of a US keyboard read through the " + name +
               " layout: set the till's keyboard layout to English (US).";
    return "这些字符是美式键盘经" + name + "布局读入的结果：请将收银机的键盘布局设为英语（美国）。";
}

}  // namespace

std::wstring CaptureText(const std::string& typed, bool showAll) {
    const std::string text = showAll ? typed : MaskCardNumbers(typed);
    std::string shown;
    for (std::size_t at = 0; at < text.size();) {
        const unsigned char byte = static_cast<unsigned char>(text[at]);
        const std::size_t length = settings::Utf8SequenceLength(text, at);
        if (byte == '\r')
            shown += "\u21B5\r\n";
        else if (length == 0 || byte < 0x20 || byte == 0x7F)
            shown += HexEscape(byte);
        else
            shown += text.substr(at, length);
        at += length == 0 ? 1 : length;
    }
    return settings::Wide(showAll ? shown : MaskCardNumbers(shown));
}

namespace {

std::vector<std::wstring> Wide(const std::vector<std::string>& lines) {
    std::vector<std::wstring> wide;
    wide.reserve(lines.size());
    for (const std::string& line : lines)
        wide.push_back(settings::Wide(line));
    return wide;
}

// What makes the swipe differ: one line per difference, or the one line that stands for
// them all (the tracks cannot be told apart; a keyboard layout); none when it matches.
std::vector<std::string> Findings(const SwipeCheck& check, bool english, bool showAll) {
    if (!check.tracksApart)
        return {Pick(english,
                     "The format puts nothing between two of its tracks: they cannot be told "
                     "apart.",
                     "格式在两个轨道之间没有任何分隔：无法区分各轨道。")};
    if (!check.layout.empty())
        return {LayoutLine(check.layout, english)};
    std::vector<std::string> lines;
    for (const Difference& difference : check.differences)
        lines.push_back(DifferenceLine(difference, english, showAll));
    return lines;
}

}  // namespace

std::vector<std::wstring> ResultLines(const SwipeCheck& check, bool english, bool showAll) {
    std::vector<std::string> lines;
    for (const TrackTyped& track : check.tracks)
        lines.push_back(TrackLine(track, english, showAll));
    const bool oneLine = !check.tracksApart || !check.layout.empty();
    if (check.matches)
        lines.push_back(Pick(english, "Matches the format.", "与格式相符。"));
    else if (!oneLine)
        lines.push_back(Pick(english, "Differs from the format:", "与格式不符："));
    for (const std::string& line : Findings(check, english, showAll))
        lines.push_back(line);
    return Wide(lines);
}

std::vector<std::wstring> DifferenceLines(const SwipeCheck& check, bool english, bool showAll) {
    return Wide(Findings(check, english, showAll));
}

const wchar_t* WaitingText(bool english) {
    return english ? L"Waiting for a swipe..." : L"等待刷卡...";
}

}  // namespace swipe
