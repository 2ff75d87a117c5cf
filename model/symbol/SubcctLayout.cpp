#include "model/symbol/SubcctLayout.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kPinStep = 100;
constexpr int kSideRoom = 300;
constexpr int kBodyLeft = 200;
constexpr int kBodyTop = -200;
constexpr int kPinLength = 100;

struct SplitName {
    std::string_view prefix;
    std::string_view digits;  // leading zeros stripped
};

SplitName Split(std::string_view name) {
    size_t start = name.size();
    while (start > 0 && name[start - 1] >= '0' && name[start - 1] <= '9')
        --start;
    std::string_view digits = name.substr(start);
    while (!digits.empty() && digits.front() == '0')
        digits.remove_prefix(1);
    return {name.substr(0, start), digits};
}

// Digit strings without leading zeros: the shorter is the smaller number.
int CompareNumbers(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

}  // namespace

int DefaultSide(int direction) {
    switch (direction) {
        case kSubcctInto:
            return kSubcctLeft;
        case kSubcctOther:
            return kSubcctUp;
        default:
            return kSubcctRight;
    }
}

bool SignalNameLess(std::string_view a, std::string_view b) {
    const SplitName left = Split(a);
    const SplitName right = Split(b);
    if (left.prefix.size() != right.prefix.size())
        return a < b;
    if (const int prefix = left.prefix.compare(right.prefix); prefix != 0)
        return prefix < 0;
    if (const int number = CompareNumbers(left.digits, right.digits); number != 0)
        return number < 0;
    return a < b;
}

SubcctLayout LayOutSubcct(const std::vector<int>& sides) {
    std::array<int, 4> count{};
    for (int side : sides)
        ++count[size_t(side)];
    const int nL = count[kSubcctLeft], nR = count[kSubcctRight];
    const int nU = count[kSubcctUp], nD = count[kSubcctDown];
    int width = kPinStep * std::max(nU, nD) + kSideRoom;
    width += (nL > 0 ? kSideRoom : 0) + (nR > 0 ? kSideRoom : 0);
    int height = -(kPinStep * std::max(nL, nR) + kSideRoom);
    height -= (nU > 0 ? kSideRoom : 0) + (nD > 0 ? kSideRoom : 0);

    SubcctLayout layout;
    layout.body = CRect(kBodyLeft, kBodyTop, width + kBodyLeft, height + kBodyTop);
    const int offX = nL > 0 ? kSideRoom : 0;
    const int offY = nU > 0 ? kSideRoom : 0;
    std::array<int, 4> placed{};
    for (int side : sides) {
        const int k = ++placed[size_t(side)];
        const int y = kBodyTop - 100 - offY - kPinStep * k;
        const int x = kBodyLeft + 100 + offX + kPinStep * k;
        const CRect& body = layout.body;
        switch (side) {
            case kSubcctLeft:
                layout.pins.push_back({CPoint(body.left, y), CPoint(body.left - kPinLength, y)});
                break;
            case kSubcctRight:
                layout.pins.push_back({CPoint(body.right, y), CPoint(body.right + kPinLength, y)});
                break;
            case kSubcctUp:
                layout.pins.push_back({CPoint(x, body.top), CPoint(x, body.top + kPinLength)});
                break;
            default:
                layout.pins.push_back(
                    {CPoint(x, body.bottom), CPoint(x, body.bottom - kPinLength)});
                break;
        }
    }
    return layout;
}

std::vector<CPoint> PortOutline(int direction, CPoint at) {
    const int x = at.x, y = at.y;
    switch (direction) {
        case kSubcctInto:
            return {{x, y - 40}, {x, y + 40}, {x + 360, y + 40}, {x + 400, y}, {x + 360, y - 40}};
        case kSubcctOut:
            return {
                {x + 40, y - 40}, {x, y}, {x + 40, y + 40}, {x + 400, y + 40}, {x + 400, y - 40}};
        case kSubcctBidirectional:
            return {{x + 40, y - 40},  {x, y},       {x + 40, y + 40},
                    {x + 360, y + 40}, {x + 400, y}, {x + 360, y - 40}};
        default:
            return {{x, y - 40}, {x, y + 40}, {x + 400, y + 40}, {x + 400, y - 40}};
    }
}

int PortOutlineAngle(int side) {
    constexpr std::array<int, 4> kAngles{0, 1800, 2700, 900};
    return kAngles[size_t(side)];
}
