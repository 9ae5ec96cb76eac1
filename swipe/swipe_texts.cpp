#include "swipe/swipe_texts.h"

#include <string>

#include "settings/ui_text.h"
#include "swipe/track_fields.h"

namespace swipe {
namespace {

using settings::EscapeFor;

// A sentinel, check character or pair character, read as such: a layout's digit key there is
// no digit, a digit is.
CardText Quoted(std::string_view character, const ShowRule& rule) {
    return "'" + SentinelShown(character, rule, settings::EscapeFor::Line) + "'";
}

std::string TrackPrefix(int track, bool english) {
    return Pick(english, "Track ", "轨道 ") + std::to_string(track) + Pick(english, ": ", "：");
}

// What the check knows of a track's typed text: all of it read as the track's, its number
// field and its discretionary data where it was read.
Visible TrackVisible(const TrackTyped& track, std::size_t at, std::string_view text, bool mayGoOn) {
    Visible visible;
    const Field piece{at, track.typed.size()};
    if (track.state != TrackState::Read) {
        visible.known.push_back(piece);
        return visible;
    }
    const std::string_view data = track.typed.view().substr(track.data.at, track.data.size);
    TrackFields fields = FieldsOf(track.track, data);
    fields.number.at += at + track.data.at;
    fields.discretionary.at += at + track.data.at;
    const bool open = mayGoOn && fields.number.at + fields.number.size == text.size();
    AddTrack(text, piece, fields.number, fields.discretionary, open, visible);
    return visible;
}

}  // namespace

CardText SentinelShown(std::string_view character, const ShowRule& rule, settings::EscapeFor use) {
    Visible visible;
    visible.known.push_back({0, character.size()});
    return ShownText(character, visible, rule, use);
}

CardText TypedShown(const TrackTyped& track, const ShowRule& rule, settings::EscapeFor use) {
    return ShownText(track.typed, TrackVisible(track, 0, track.typed, false), rule, use);
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

// "the reader's start sentinel is '#', the form's is ';'", "the reader sends no start
// sentinel, the form's is '%'", "the reader's start sentinel is '%', the form has none".
CardText SentinelText(const Difference& difference, const char* englishName,
                      const char* chineseName, bool english, const ShowRule& rule) {
    CardText text;
    if (difference.came.empty()) {
        text = Pick(english, "the reader sends no ", "读卡器不发送");
        text += Pick(english, englishName, chineseName);
    } else {
        text = Pick(english, "the reader's ", "读卡器的");
        text += Pick(english, englishName, chineseName);
        text += Pick(english, " is ", "为 ") + Quoted(difference.came, rule);
    }
    if (difference.expected.empty())
        return text + Pick(english, ", the form has none", "，格式没有") +
               Pick(english, "", chineseName);
    return text + Pick(english, ", the form's is ", "，格式为 ") +
           Quoted(difference.expected, rule);
}

// "1", "1 and 2", "1, 2 and 3" from "123".
std::string Listed(std::string_view digits, bool english) {
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0)
            text +=
                i + 1 < digits.size() ? Pick(english, ", ", "、") : Pick(english, " and ", " 和 ");
        text += digits[i];
    }
    return text;
}

// Where carriage returns come: "after track 1 and track 2", "after the packet", "none".
std::string ReturnsText(std::string_view list, bool english) {
    if (list == "P")
        return Pick(english, "one after the packet", "在整包之后带回车");
    if (list.empty())
        return Pick(english, "none", "不带回车");
    return Pick(english, list.size() > 1 ? "one after tracks " : "one after track ", "在轨道 ") +
           Listed(list, english) + Pick(english, "", " 之后带回车");
}

CardText DifferenceText(const Difference& difference, bool english, const ShowRule& rule) {
    switch (difference.kind) {
        case DifferenceKind::Tracks:
            return Pick(english,
                        difference.came.size() > 1 ? "The reader outputs tracks "
                                                   : "The reader outputs track ",
                        "读卡器输出轨道 ") +
                   Listed(difference.came, english) +
                   Pick(english, "; the form asks for ", "；格式要求 ") +
                   Listed(difference.expected, english) + Pick(english, ".", "。");
        case DifferenceKind::Returns:
            return Pick(english, "Carriage returns: the reader sends ", "回车：读卡器") +
                   ReturnsText(difference.came, english) +
                   Pick(english, "; the form asks for ", "；格式要求") +
                   ReturnsText(difference.expected, english) + Pick(english, ".", "。");
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
    const std::string prefix = difference.kind == DifferenceKind::AfterPacket
                                   ? std::string(Pick(english, "After the packet: ", "整包之后："))
                               : difference.track == 0 ? std::string()
                                                       : TrackPrefix(difference.track, english);
    return prefix + DifferenceText(difference, english, rule);
}

std::string UnseenLine(const Unseen& unseen, bool english) {
    const std::string track = std::to_string(unseen.track);
    switch (unseen.kind) {
        case UnseenKind::NothingTyped:
            return TrackPrefix(unseen.track, english) +
                   Pick(english, "nothing came for it; a card without track ",
                        "未收到任何内容；没有轨道 ") +
                   track +
                   Pick(english, " types the same, so whether the reader outputs it was not seen.",
                        " 的卡也是如此，因此未能看出读卡器是否输出该轨道。");
        case UnseenKind::NoTrackData:
            break;
    }
    return Pick(english,
                "No track held data: the swipe does not show which tracks the reader outputs.",
                "没有任何轨道带有数据：此次刷卡无法显示读卡器输出哪些轨道。");
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
    Visible visible;
    AddTrack(number, {0, number.size()}, {0, number.size()}, {}, false, visible);
    return ShownText(number, visible, rule);
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
    Visible visible;
    for (const TrackTyped& track : TracksAsTyped(form, typed)) {
        const Visible each = TrackVisible(track, track.at, typed, !complete);
        for (const Field& field : each.shown)
            visible.shown.push_back(field);
        for (const Field& field : each.hidden)
            visible.hidden.push_back(field);
        for (const Field& field : each.known)
            visible.known.push_back(field);
    }
    return WideOf(ShownText(typed, visible, rule, EscapeFor::Box));
}

std::vector<CardWide> ResultLines(const SwipeCheck& check, bool english, const ShowRule& rule) {
    std::vector<CardText> lines;
    for (const TrackTyped& track : check.tracks)
        lines.push_back(TrackLine(track, english, rule));
    if (check.matches)
        lines.emplace_back(Pick(english, "Matches the format.", "与格式相符。"));
    else if (check.agreesSoFar)
        lines.emplace_back(Pick(english, "Agrees with the format as far as this swipe shows:",
                                "在此次刷卡所能显示的范围内与格式相符："));
    else if (check.tracksApart && !check.differences.empty())
        lines.emplace_back(Pick(english, "Differs from the format:", "与格式不符："));
    else if (check.tracksApart && !check.capsLock && check.layouts.empty() &&
             !check.findings.empty())
        lines.emplace_back(Pick(english, "The format matches, but the card disagrees with itself:",
                                "与格式相符，但卡片数据前后不一致："));
    for (CardText& line : Findings(check, english, rule))
        lines.push_back(std::move(line));
    for (const Unseen& unseen : check.unseen)
        lines.emplace_back(UnseenLine(unseen, english));
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

std::vector<CardWide> UnseenLines(const SwipeCheck& check, bool english) {
    std::vector<CardWide> lines;
    for (const Unseen& unseen : check.unseen)
        lines.push_back(WideOf(CardText(UnseenLine(unseen, english))));
    return lines;
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
