#include "menu/shortcut_column.h"

#include <algorithm>
#include <limits>

LabelParts SplitLabel(const std::u16string& label) {
    const std::size_t first = label.find(u'\t');
    if (first == std::u16string::npos)
        return {label, {}, false};
    return {label.substr(0, first), label.substr(label.rfind(u'\t') + 1), true};
}

void AlignShortcutColumn(std::vector<std::u16string>& labels, const TextMeasure& measure) {
    // The widest name itself, even when every width is zero or below.
    int widest = std::numeric_limits<int>::min();
    for (const std::u16string& label : labels)
        widest = std::max(widest, measure.Width(label.substr(0, label.find(u'\t')) + u' '));

    for (std::u16string& label : labels) {
        const std::size_t tab = label.find(u'\t');
        if (tab == std::u16string::npos)
            continue;
        std::u16string name = label.substr(0, tab);
        int width = measure.Width(name);
        while (width < widest) {
            const int wider = measure.Width(name + u' ');
            if (wider <= width)
                break;  // a font without a width for spaces would never get there
            name += u' ';
            width = wider;
        }
        label = name + label.substr(tab);
    }
}
