// Where a minimised window draws its icon: centred in the client area, rounding as integer
// division does (toward zero).
#pragma once

struct IconOrigin {
    int x;
    int y;
};

inline IconOrigin CentredIconOrigin(int clientWidth, int clientHeight, int iconWidth,
                                    int iconHeight) {
    return {(clientWidth - iconWidth + 1) / 2, (clientHeight - iconHeight + 1) / 2};
}
