// Labels with a shortcut: "Name\tCtrl+N". The text after the last tab is the shortcut,
// drawn right-aligned; the text before the first tab is the name.
#pragma once

#include <string>
#include <vector>

struct LabelParts {
    std::u16string left;   // before the first tab, or the whole label
    std::u16string right;  // after the last tab; empty without a tab
    bool hasTab = false;
};
LabelParts SplitLabel(const std::u16string& label);

// Width of a text in the font the menu draws with.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual int Width(const std::u16string& text) const = 0;
};

// Pads the name of every label that has a tab with spaces until it is at least as wide as
// the widest name (with one space after it) of all the labels, so that the shortcuts
// start in one column. Stops padding when a space adds no width.
void AlignShortcutColumn(std::vector<std::u16string>& labels, const TextMeasure& measure);
