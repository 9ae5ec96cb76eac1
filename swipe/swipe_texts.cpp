#include "swipe/swipe_texts.h"

#include <string>

#include "settings/ui_text.h"
#include "swipe/track_fields.h"

namespace swipe {
namespace {

using settings::EscapeFor;

CardText Quoted(std::string_view character, const ShowRule& rule) {
    return "'" + ShownText(character, rule) + "'";
}

std::string TrackPrefix(int track, bool english) {
    return Pick(english, "Track ", "轨道 ") + std::to_string(track) + Pick(english, ": ", "：");
}

// A track's typed text with its number field masked and its discretionary data hidden.
CardText TrackFieldsMasked(const TrackTyped& track, bool showAll) {
    if (showAll || track.state != TrackState::Read)
        return track.typed;
    const std::string_view data = track.typed.view().substr(track.data.at, track.data.size);
    TrackFields fields = FieldsOf(track.track, data);
    fields.number.at += track.data.at;
    fields.discretionary.at += track.data.at;
    return MaskFields(track.typed, fields.number, fields.discretionary);
}

}  // namespace

CardText TypedShown(const TrackTyped& track, const ShowRule& rule, settings::EscapeFor use) {
    return ShownText(TrackFieldsMasked(track, rule.showAll), rule, use);
}

namespace {

CardText TrackLine(const TrackTyped& track, bool english, const ShowRule& rule) {
    const std::string number = std::to_string(track.track);
    CardText line = TrackPrefix(track.track, english);
    switch (track.state) {
        case TrackState::Read:
            line += TypedShown(track, rule, EscapeFor::Line);
            break;
        case TrackState::NoData:
            line +=
                Pick(english, "no data on track ", "轨道 ") + number + Pick(english, "", " 无数据");
            break;
        case TrackState::Unreadable:
            line += Pick(english, "track ", "轨道 ") + number +
                    Pick(english, " could not be read", " 无法读取");
            break;
    }
    return line;
}

// "the form expects the start sentinel '%', came '#'", "... came none", "the form expects no
// start sentinel, came '%'".
CardText SentinelText(const Difference& difference, const char* englishName,
                      const char* chineseName, bool english, const ShowRule& rule) {
    CardText text;
    if (difference.expected.empty()) {
        text = Pick(english, "the form expects no ", "格式不要求");
        text += Pick(english, englishName, chineseName);
    } else {
        text = Pick(english, "the form expects the ", "格式要求");
        text += Pick(english, englishName, chineseName);
        text += " " + Quoted(difference.expected, rule);
    }
    if (difference.came.empty())
        return text + Pick(english, ", came none", "，未收到");
    return text + Pick(english, ", came ", "，收到 ") + Quoted(difference.came, rule);
}

CardText DifferenceText(const Difference& difference, bool english, const ShowRule& rule) {
    const bool packet = difference.track == 0;
    switch (difference.kind) {
        case DifferenceKind::StartSentinel:
            return SentinelText(difference, "start sentinel", "起始符", english, rule);
        case DifferenceKind::EndSentinel:
            return SentinelText(difference, "end sentinel", "结束符", english, rule);
        case DifferenceKind::AfterEndSentinel:
            return Pick(english, "an extra character ", "结束符之后多出一个字符 ") +
                   Quoted(difference.came, rule) +
                   Pick(english,
                        " came after the end sentinel (a check character the reader sends)",
                        "（读卡器发送的校验字符）");
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
            return Quoted(difference.came, rule) +
                   Pick(english, " should have been replaced by ", " 应被替换为 ") +
                   Quoted(difference.expected, rule);
        case DifferenceKind::AfterPacket:
            break;
    }
    return "\"" + ShownText(difference.came, rule) + "\"";
}

CardText DifferenceLine(const Difference& difference, bool english, const ShowRule& rule) {
    const std::string prefix = difference.track == 0
                                   ? std::string(Pick(english, "After the packet: ", "整包之后："))
                                   : TrackPrefix(difference.track, english);
    return prefix + DifferenceText(difference, english, rule);
}

// "the German layout", "the Danish, Norwegian or Swedish/Finnish layout".
std::string LayoutNames(const SwipeCheck& check, bool english) {
    std::string names;
    for (std::size_t i = 0; i < check.layouts.size(); ++i) {
        if (i > 0)
            names += i + 1 < check.layouts.size() ? Pick(english, ", ", "、")
                                                  : Pick(english, " or ", "或");
        names += Pick(english, check.layouts[i]->english, check.layouts[i]->chinese);
    }
    return names;
}

std::string LayoutLine(const SwipeCheck& check, bool english) {
    const std::string names = LayoutNames(check, english);
    if (check.capsLock && names.empty())
        return Pick(english,
                    "Track 1 came in small letters: Caps Lock is on. Turn Caps Lock off on the "
                    "till and swipe again.",
                    "轨道 1 为小写字母：大写锁定已打开。请关闭收银机的大写锁定后重新刷卡。");
    if (check.capsLock)
        return english ? "Track 1 came in small letters and the characters are those of a US "
                         "keyboard read through the " +
                             names +
                             " layout: turn Caps Lock off and set the till's keyboard layout to "
                             "English (US)."
                       : "轨道 1 为小写字母，且这些字符是美式键盘经" + names +
                             "布局读入的结果：请关闭大写锁定，并将收银机的键盘布局设为英语（美国）"
                             "。";
    if (english)
        return "The characters are those of a US keyboard read through the " + names +
               " layout: set the till's keyboard layout to English (US).";
    return "这些字符是美式键盘经" + names +
           "布局读入的结果：请将收银机的键盘布局设为英语（美国）。";
}

// A card number in a finding, masked as a number field.
CardText NumberShown(const CardText& number, const ShowRule& rule) {
    const CardText masked = rule.showAll ? number : MaskFields(number, {0, number.size()}, {});
    return ShownText(masked, rule);
}

CardText FindingLine(const CardFinding& finding, bool english, const ShowRule& rule) {
    const char* again =
        Pick(english, ": likely a misread, swipe again.", "：可能读错，请重新刷卡。");
    if (finding.problem == CardProblem::NumbersDiffer)
        return Pick(english, "Track 1 and track 2 hold different card numbers (",
                    "轨道 1 与轨道 2 的卡号不同（") +
               NumberShown(finding.number, rule) + Pick(english, ", ", "，") +
               NumberShown(finding.other, rule) + Pick(english, ")", "）") + again;
    return TrackPrefix(finding.track, english) + Pick(english, "the card number ", "卡号 ") +
           NumberShown(finding.number, rule) +
           Pick(english, " fails its check digit", " 的校验位不符") + again;
}

std::vector<CardText> Findings(const SwipeCheck& check, bool english, const ShowRule& rule) {
    std::vector<CardText> lines;
    if (!check.tracksApart) {
        lines.emplace_back(Pick(english,
                                "The format puts nothing between two of its tracks: they cannot "
                                "be told apart.",
                                "格式在两个轨道之间没有任何分隔：无法区分各轨道。"));
        return lines;
    }
    if (check.capsLock || !check.layouts.empty())
        lines.emplace_back(LayoutLine(check, english));
    for (const Difference& difference : check.differences)
        lines.push_back(DifferenceLine(difference, english, rule));
    for (const CardFinding& finding : check.findings)
        lines.push_back(FindingLine(finding, english, rule));
    return lines;
}

// The lines as they are shown, each masked whole.
std::vector<CardWide> Shown(const std::vector<CardText>& lines, const ShowRule& rule) {
    std::vector<CardWide> wide;
    wide.reserve(lines.size());
    for (const CardText& line : lines)
        wide.push_back(WideOf(ShownLine(line, rule)));
    return wide;
}

}  // namespace

ShowRule RuleFor(const settings::Setup& form, bool showAll) {
    ShowRule rule;
    rule.showAll = showAll;
    rule.mask.digits = DigitReplacements(form);
    return rule;
}

CardWide CaptureText(const settings::Setup& form, std::string_view typed, bool complete,
                     const ShowRule& rule) {
    CardText text(typed);
    if (!rule.showAll) {
        // The last track first: a character masked may be shorter than it was, which moves
        // what follows it, not what comes before.
        const std::vector<TrackTyped> tracks = TracksAsTyped(form, typed);
        for (auto each = tracks.rbegin(); each != tracks.rend(); ++each) {
            const TrackTyped& track = *each;
            if (track.state != TrackState::Read)
                continue;
            const std::string_view data = track.typed.view().substr(track.data.at, track.data.size);
            TrackFields fields = FieldsOf(track.track, data);
            const std::size_t dataAt = track.at + track.data.at;
            fields.number.at += dataAt;
            fields.discretionary.at += dataAt;
            const bool mayGoOn = !complete && fields.number.at + fields.number.size == typed.size();
            text = MaskFields(text, fields.number, fields.discretionary, mayGoOn);
        }
    }
    ShowRule capture = rule;
    capture.mask.open = !complete;
    return WideOf(ShownText(text, capture, EscapeFor::Box));
}

std::vector<CardWide> ResultLines(const SwipeCheck& check, bool english, const ShowRule& rule) {
    std::vector<CardText> lines;
    for (const TrackTyped& track : check.tracks)
        lines.push_back(TrackLine(track, english, rule));
    if (check.matches)
        lines.emplace_back(Pick(english, "Matches the format.", "与格式相符。"));
    else if (check.tracksApart && !check.differences.empty())
        lines.emplace_back(Pick(english, "Differs from the format:", "与格式不符："));
    else if (check.tracksApart && !check.capsLock && check.layouts.empty())
        lines.emplace_back(Pick(english, "The format matches, but the card disagrees with itself:",
                                "与格式相符，但卡片数据前后不一致："));
    for (CardText& line : Findings(check, english, rule))
        lines.push_back(std::move(line));
    return Shown(lines, rule);
}

CardWide ResultText(const SwipeCheck& check, bool english, const ShowRule& rule) {
    CardText text;
    for (const CardWide& line : ResultLines(check, english, rule)) {
        text += text.empty() ? "" : "\r\n";
        text += Utf8Of(line);
    }
    return WideOf(ShownLine(text, rule));
}

std::vector<CardWide> DifferenceLines(const SwipeCheck& check, bool english, const ShowRule& rule) {
    return Shown(Findings(check, english, rule), rule);
}

const wchar_t* WaitingText(bool english, bool capsLockOn) {
    if (capsLockOn)
        return Pick(english,
                    L"Caps Lock is on: turn it off before you swipe, or track 1 comes in small "
                    L"letters.",
                    L"大写锁定已打开：请在刷卡前关闭，否则轨道 1 将为小写字母。");
    return Pick(english, L"Waiting for a swipe...", L"等待刷卡...");
}

}  // namespace swipe
