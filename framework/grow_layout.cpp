#include "framework/grow_layout.h"

#include <algorithm>
#include <cstdlib>
#include <cstddef>

namespace {

bool Inside(const LayoutBox& inner, const LayoutBox& frame, long slack) {
    return inner.left >= frame.left - slack && inner.right <= frame.right + slack &&
           inner.top >= frame.top - slack && inner.bottom <= frame.bottom + slack;
}

bool SameRow(const LayoutBox& a, const LayoutBox& b) {
    return a.top < b.bottom && b.top < a.bottom;
}

// How the boxes stood before growing, and what each holds.
struct Relations {
    std::vector<std::vector<bool>> holds;    // holds[g][c]: frame g holds box c
    std::vector<std::vector<bool>> follows;  // follows[a][b]: b stands right of a in its row
    std::vector<std::vector<bool>> aligned;  // aligned[a][b]: one above the other, one width
};

Relations Relate(const std::vector<LayoutBox>& boxes, long slack) {
    const std::size_t n = boxes.size();
    const std::vector<std::vector<bool>> none(n, std::vector<bool>(n));
    Relations r{none, none, none};
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = 0; b < n; ++b) {
            if (a == b)
                continue;
            r.holds[a][b] = boxes[a].frame && Inside(boxes[b], boxes[a], slack) &&
                            !(boxes[b].frame && Inside(boxes[a], boxes[b], slack));
        }
    }
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = 0; b < n; ++b) {
            r.follows[a][b] = a != b && !r.holds[a][b] && !r.holds[b][a] &&
                              boxes[b].left >= boxes[a].right && SameRow(boxes[a], boxes[b]);
            r.aligned[a][b] = a != b && boxes[a].frame == boxes[b].frame &&
                              std::abs(boxes[a].left - boxes[b].left) <= slack &&
                              std::abs(boxes[a].right - boxes[b].right) <= slack;
        }
    }
    return r;
}

// A right-aligned box takes room to its left, up to the nearest box before it in its row or
// `slack` inside its frame.
void TakeRoomOnTheLeft(std::vector<LayoutBox>& boxes, const Relations& r, long slack) {
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        LayoutBox& box = boxes[i];
        const long missing = box.need - (box.right - box.left);
        if (!box.growsLeft || missing <= 0)
            continue;
        long limit = 0;
        for (std::size_t j = 0; j < boxes.size(); ++j) {
            if (r.follows[j][i])
                limit = std::max(limit, boxes[j].right);
            if (r.holds[j][i])
                limit = std::max(limit, boxes[j].left + slack);
        }
        box.left -= std::max(0L, std::min(missing, box.left - limit));
    }
}

}  // namespace

long GrowToFit(std::vector<LayoutBox>& boxes, long clientWidth, long slack) {
    const Relations relations = Relate(boxes, slack);
    TakeRoomOnTheLeft(boxes, relations, slack);
    const std::vector<LayoutBox> before = boxes;
    const std::size_t n = boxes.size();
    std::vector<long> x(n);
    std::vector<long> width(n);
    for (std::size_t i = 0; i < n; ++i) {
        x[i] = before[i].left;
        width[i] = std::max(before[i].right - before[i].left, before[i].need);
    }
    // Every rule only ever pushes right or widens, and the rules make no cycle (a box follows
    // only boxes whose right edge was at or left of its own left edge), so this settles within
    // as many rounds as there are boxes; the bound keeps a malformed layout from spinning.
    bool changed = true;
    for (std::size_t round = 0; changed && round <= n; ++round) {
        changed = false;
        const auto atLeast = [&changed](long& value, long least) {
            if (value < least) {
                value = least;
                changed = true;
            }
        };
        for (std::size_t a = 0; a < n; ++a) {
            for (std::size_t b = 0; b < n; ++b) {
                if (relations.follows[a][b])
                    atLeast(x[b], x[a] + width[a] + (before[b].left - before[a].right));
                if (relations.aligned[a][b])
                    atLeast(width[a], width[b]);
                if (relations.holds[a][b]) {
                    atLeast(x[b], x[a] + (before[b].left - before[a].left));
                    atLeast(width[a], x[b] + width[b] + (before[a].right - before[b].right) - x[a]);
                }
            }
        }
    }
    long grown = clientWidth;
    long rightmost = 0;
    for (std::size_t i = 0; i < n; ++i) {
        boxes[i].left = x[i];
        boxes[i].right = x[i] + width[i];
        grown = std::max(grown, boxes[i].right + (clientWidth - before[i].right));
        rightmost = std::max(rightmost, before[i].right);
    }
    // What reached across to the right side and did not move (a status line) still does.
    for (std::size_t i = 0; i < n; ++i) {
        if (before[i].right >= rightmost - slack && boxes[i].right == before[i].right &&
            boxes[i].left == before[i].left)
            boxes[i].right += grown - clientWidth;
    }
    return grown - clientWidth;
}
