// Card data never rests: what a reader typed lives, from the key that brought it to the line
// that shows it, in a string whose memory is overwritten before it is let go. Every buffer the
// string ever had is wiped whole (its capacity, not only its size) when it is freed, when the
// string grows into a larger one, when it is cleared or assigned, and when the object ends; it
// never keeps characters inside the object itself (no short-string buffer is used), so a move
// leaves nothing behind either.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace swipe {

// Overwrites `bytes` bytes at `memory` with zeros in a way the compiler does not leave out.
void WipeMemory(void* memory, std::size_t bytes);

// Hands out memory as the standard allocator does and wipes it before handing it back.
template <typename T>
struct WipingAllocator {
    using value_type = T;
    WipingAllocator() = default;
    template <typename U>
    WipingAllocator(const WipingAllocator<U>& /*other*/) {}  // rebinding to another type
    T* allocate(std::size_t count) { return std::allocator<T>().allocate(count); }
    void deallocate(T* memory, std::size_t count) {
        WipeMemory(memory, count * sizeof(T));
        std::allocator<T>().deallocate(memory, count);
    }
    friend bool operator==(const WipingAllocator&, const WipingAllocator&) { return true; }
    friend bool operator!=(const WipingAllocator&, const WipingAllocator&) { return false; }
};

template <typename Char>
class BasicCardText {
public:
    using View = std::basic_string_view<Char>;
    static constexpr std::size_t npos = View::npos;

    BasicCardText() { Reserve(0); }
    // From any text (a literal, a view of another), so that card data is taken in without a copy
    // of another type in between.
    BasicCardText(View text) {
        Reserve(text.size());
        text_.append(text.data(), text.size());
    }
    BasicCardText(const Char* text) : BasicCardText(View(text)) {}
    // Texts of the program's own (a prefix, a number) join card data this way.
    BasicCardText(const std::basic_string<Char>& text) : BasicCardText(View(text)) {}
    BasicCardText(std::size_t count, Char c) {
        Reserve(count);
        text_.append(count, c);
    }
    BasicCardText(const BasicCardText& other) : BasicCardText(other.view()) {}
    BasicCardText(BasicCardText&& other) noexcept : text_(std::move(other.text_)) {}
    BasicCardText& operator=(const BasicCardText& other) {
        if (this != &other)
            Assign(other.view());
        return *this;
    }
    BasicCardText& operator=(BasicCardText&& other) noexcept {
        if (this != &other) {
            WipeAll();
            text_.swap(other.text_);
        }
        return *this;
    }
    ~BasicCardText() { WipeAll(); }

    View view() const { return View(text_.data(), text_.size()); }
    operator View() const { return view(); }
    const Char* data() const { return text_.data(); }
    const Char* c_str() const { return text_.c_str(); }
    std::size_t size() const { return text_.size(); }
    bool empty() const { return text_.empty(); }
    Char operator[](std::size_t at) const { return text_[at]; }
    Char back() const { return text_.back(); }
    auto begin() const { return text_.begin(); }
    auto end() const { return text_.end(); }

    BasicCardText substr(std::size_t at, std::size_t count = npos) const {
        return BasicCardText(view().substr(at, count));
    }
    std::size_t find(View what, std::size_t from = 0) const { return view().find(what, from); }
    std::size_t find(Char what, std::size_t from = 0) const { return view().find(what, from); }
    bool StartsWith(View what, std::size_t at = 0) const {
        return at <= size() && view().substr(at, what.size()) == what;
    }

    BasicCardText& operator+=(View text) {
        Reserve(size() + text.size());
        text_.append(text.data(), text.size());
        return *this;
    }
    BasicCardText& operator+=(const BasicCardText& text) { return *this += text.view(); }
    BasicCardText& operator+=(const Char* text) { return *this += View(text); }
    BasicCardText& operator+=(const std::basic_string<Char>& text) { return *this += View(text); }
    BasicCardText& operator+=(Char c) {
        Reserve(size() + 1);
        text_.push_back(c);
        return *this;
    }
    void Set(std::size_t at, Char c) { text_[at] = c; }
    // Cuts the text after `count` characters; the characters cut off are wiped.
    void Truncate(std::size_t count) {
        if (count >= size())
            return;
        WipeMemory(&text_[count], (size() - count) * sizeof(Char));
        text_.resize(count);
    }
    void clear() { Truncate(0); }

    friend bool operator==(const BasicCardText& a, View b) { return a.view() == b; }
    friend bool operator!=(const BasicCardText& a, View b) { return a.view() != b; }
    friend BasicCardText operator+(BasicCardText a, View b) { return a += b; }
    friend BasicCardText operator+(BasicCardText a, const BasicCardText& b) { return a += b; }
    friend BasicCardText operator+(BasicCardText a, const Char* b) { return a += b; }
    friend BasicCardText operator+(BasicCardText a, const std::basic_string<Char>& b) {
        return a += b;
    }
    friend BasicCardText operator+(const std::basic_string<Char>& a, const BasicCardText& b) {
        return BasicCardText(a) += b;
    }
    friend BasicCardText operator+(BasicCardText a, Char b) { return a += b; }
    friend BasicCardText operator+(View a, const BasicCardText& b) { return BasicCardText(a) += b; }
    friend BasicCardText operator+(const Char* a, const BasicCardText& b) {
        return BasicCardText(a) += b;
    }

private:
    using String = std::basic_string<Char, std::char_traits<Char>, WipingAllocator<Char>>;
    // More than any short-string buffer holds, so that the characters are always in memory
    // of the allocator's.
    static constexpr std::size_t kLeast = 64 / sizeof(Char);

    // Makes room for `count` characters; when the buffer moves, the old one is wiped as the
    // allocator frees it.
    void Reserve(std::size_t count) {
        if (text_.capacity() < kLeast || text_.capacity() < count)
            text_.reserve(std::max({count, kLeast, 2 * text_.capacity()}));
    }
    void Assign(View text) {
        WipeAll();
        *this += text;
    }
    // Zeros over the whole buffer, then an empty text.
    void WipeAll() {
        text_.resize(text_.capacity());
        if (!text_.empty())
            WipeMemory(&text_[0], text_.size() * sizeof(Char));
        text_.clear();
    }

    String text_;
};

// Other records of card data (characters taken apart, track by track) in wiped memory too.
template <typename T>
using CardVector = std::vector<T, WipingAllocator<T>>;

using CardText = BasicCardText<char>;     // UTF-8
using CardWide = BasicCardText<wchar_t>;  // UTF-16 on Windows

// The one conversion between them: UTF-16 (UTF-32 where wchar_t is wider) to UTF-8 and back;
// what is not well formed reads as U+FFFD.
CardText Utf8Of(std::wstring_view text);
CardWide WideOf(std::string_view utf8);

}  // namespace swipe
