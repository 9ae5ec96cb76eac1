#include "swipe/keyboard_layouts.h"

#include <string>
#include <unordered_map>

#include "settings/utf8.h"
#include "swipe/layout_tables.h"

namespace swipe {
namespace {

constexpr char32_t kNothing = 0xFFFF;
constexpr char kFirstKey = ' ';

// One state of a layout (Caps Lock off or on), read from its table once.
struct KeyState {
    std::array<char32_t, kKeyCount> typed{};  // what each key types; its accent for a dead key
    std::array<bool, kKeyCount> dead{};
    // What the US keyboard typed for each character this state types: one key, or a dead key
    // and the key whose character took its accent.
    std::array<std::string, 128> asciiKeys;
    std::unordered_map<char32_t, std::string> otherKeys;

    const std::string* KeysOf(char32_t c) const {
        if (c < 128)
            return asciiKeys[c].empty() ? nullptr : &asciiKeys[c];
        const auto found = otherKeys.find(c);
        return found == otherKeys.end() ? nullptr : &found->second;
    }
    void AddKeys(char32_t c, const std::string& keys) {
        if (c == kNothing || KeysOf(c) != nullptr)
            return;  // an earlier reading stands: a single key before a composition
        if (c < 128)
            asciiKeys[c] = keys;
        else
            otherKeys.emplace(c, keys);
    }
};

struct LayoutStates {
    KeyState off, on;
    std::array<char32_t, 10> digits{};
};

std::unordered_map<char32_t, std::unordered_map<char32_t, char32_t>> ReadCompositions() {
    std::unordered_map<char32_t, std::unordered_map<char32_t, char32_t>> compositions;
    for (std::size_t i = 0; i < kCompositionCount; ++i) {
        std::size_t length{};  // set by the decoding, not needed
        const Composition& c = kCompositions[i];
        compositions[settings::DecodeUtf8(c.accent, 0, length)][settings::DecodeUtf8(
            c.base, 0, length)] = settings::DecodeUtf8(c.composed, 0, length);
    }
    return compositions;
}

const std::unordered_map<char32_t, std::unordered_map<char32_t, char32_t>>& Compositions() {
    static const auto compositions = ReadCompositions();
    return compositions;
}

// The character `accent` and `base` make, or kNothing.
char32_t Composed(char32_t accent, char32_t base) {
    const auto& compositions = Compositions();
    const auto byAccent = compositions.find(accent);
    if (byAccent == compositions.end())
        return kNothing;
    const auto found = byAccent->second.find(base);
    return found == byAccent->second.end() ? kNothing : found->second;
}

KeyState ReadState(std::string_view keys, std::string_view deadKeys) {
    KeyState state;
    std::size_t at = 0;
    for (std::size_t key = 0; key < kKeyCount; ++key) {
        std::size_t length{};  // set by the decoding
        state.typed[key] = settings::DecodeUtf8(keys, at, length);
        at += length;
        state.dead[key] = deadKeys.find(static_cast<char>(kFirstKey + key)) != deadKeys.npos;
    }
    // A key's own character first where two keys type one, then the other keys, then the
    // dead keys' accents, then what they compose.
    for (std::size_t key = 0; key < kKeyCount; ++key)
        if (!state.dead[key] && state.typed[key] == static_cast<char32_t>(kFirstKey + key))
            state.AddKeys(state.typed[key], std::string(1, static_cast<char>(kFirstKey + key)));
    for (bool deadToo : {false, true})
        for (std::size_t key = 0; key < kKeyCount; ++key)
            if (state.dead[key] == deadToo)
                state.AddKeys(state.typed[key], std::string(1, static_cast<char>(kFirstKey + key)));
    for (std::size_t dead = 0; dead < kKeyCount; ++dead) {
        if (!state.dead[dead])
            continue;
        for (std::size_t key = 0; key < kKeyCount; ++key)
            if (!state.dead[key])
                state.AddKeys(Composed(state.typed[dead], state.typed[key]),
                              std::string{static_cast<char>(kFirstKey + dead),
                                          static_cast<char>(kFirstKey + key)});
    }
    return state;
}

std::vector<LayoutStates> ReadLayouts() {
    std::vector<LayoutStates> layouts;
    for (std::size_t i = 0; i < kLayoutTableCount; ++i) {
        const LayoutTable& table = kLayoutTables[i];
        LayoutStates states;
        states.off = ReadState(table.keys, table.deadKeys);
        states.on = ReadState(table.capsKeys, table.deadKeys);
        for (int digit = 0; digit < 10; ++digit) {
            const std::size_t key = static_cast<std::size_t>('0' + digit - kFirstKey);
            states.digits[digit] = states.off.dead[key] ? kNothing : states.off.typed[key];
        }
        layouts.push_back(states);
    }
    return layouts;
}

const LayoutStates& States(const KeyboardLayout& layout) {
    static const std::vector<LayoutStates> layouts = ReadLayouts();
    return layouts[layout.table];
}

const KeyState& StateOf(const KeyboardLayout& layout, bool capsLock) {
    return capsLock ? States(layout).on : States(layout).off;
}

}  // namespace

const KeyboardLayout& UsLayout() {
    static const KeyboardLayout us{kLayoutTables[0].english, kLayoutTables[0].chinese, 0};
    return us;
}

const std::vector<KeyboardLayout>& NamedLayouts() {
    static const std::vector<KeyboardLayout> layouts = [] {
        std::vector<KeyboardLayout> named;
        for (std::size_t i = 1; i < kLayoutTableCount; ++i)
            named.push_back({kLayoutTables[i].english, kLayoutTables[i].chinese, i});
        return named;
    }();
    return layouts;
}

CardText TypeThrough(const KeyboardLayout& layout, bool capsLock, std::string_view us) {
    const KeyState& state = StateOf(layout, capsLock);
    CardText typed;
    char32_t accent = kNothing;  // of a dead key waiting for the next character
    for (std::size_t at = 0, length = 0; at < us.size(); at += length) {
        const char32_t c = settings::DecodeUtf8(us, at, length);
        const bool key = c >= static_cast<char32_t>(kFirstKey) && c < 0x7F;
        const std::size_t index = key ? c - kFirstKey : 0;
        const char32_t out = key ? state.typed[index] : c;
        if (accent != kNothing) {
            const char32_t composed = key && state.dead[index] ? kNothing : Composed(accent, out);
            if (composed != kNothing) {
                settings::AppendUtf8(typed, composed);
                accent = kNothing;
                continue;
            }
            settings::AppendUtf8(typed, accent);
            accent = kNothing;
            if (c == ' ' || (key && state.dead[index])) {
                // The blank gives the accent alone; a second dead key types its own too.
                if (c != ' ')
                    settings::AppendUtf8(typed, out);
                continue;
            }
        } else if (key && state.dead[index]) {
            accent = out;
            continue;
        }
        if (out != kNothing)
            settings::AppendUtf8(typed, out);
    }
    return typed;
}

CardText UndoLayout(const KeyboardLayout& layout, bool capsLock, std::string_view typed) {
    const KeyState& state = StateOf(layout, capsLock);
    CardText us;
    for (std::size_t at = 0, length = 0; at < typed.size(); at += length) {
        const char32_t c = settings::DecodeUtf8(typed, at, length);
        const std::string* keys =
            settings::Utf8SequenceLength(typed, at) == 0 ? nullptr : state.KeysOf(c);
        if (keys != nullptr)
            us += *keys;
        else
            us += typed.substr(at, length);
    }
    return us;
}

const std::array<char32_t, 10>& DigitKeys(const KeyboardLayout& layout) {
    return States(layout).digits;
}

}  // namespace swipe
