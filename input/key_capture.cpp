#include "input/key_capture.h"

#include <algorithm>

namespace gkr {

namespace {

template <class Code>
std::vector<Code> SortedUnique(std::vector<Code> codes) {
    // Signed order, as stored codes of any value compare in conf.xml's terms.
    const auto signedLess = [](Code a, Code b) { return static_cast<int32_t>(a) < static_cast<int32_t>(b); };
    std::sort(codes.begin(), codes.end(), signedLess);
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    return codes;
}

constexpr uint32_t kFirstRecordedKey = 7;

}  // namespace

std::vector<uint32_t> AddPressedKeys(const std::vector<uint32_t>& keys, const KeyQuery& query) {
    std::vector<uint32_t> result = keys;
    for (uint32_t code = kFirstRecordedKey; code < query.size(); ++code)
        if (query[code] & 0x0001) result.push_back(code);
    return SortedUnique(std::move(result));
}

std::vector<int32_t> AddPadConditions(const std::vector<int32_t>& pads, const PadPosition& position,
                                      const PadContext& context) {
    std::vector<int32_t> result = pads;
    // Buttons beyond the last code the matching knows could never fire.
    const uint32_t buttons = std::min<uint32_t>(context.caps.wMaxButtons, kPadCodeLastButton);
    for (uint32_t i = 0; i < buttons; ++i)
        if ((position.buttons >> (i % 32)) & 1u) result.push_back(static_cast<int32_t>(i + 1));
    for (int axis = 0; axis < kPadAxisCount; ++axis) {
        const AxisReading a = ReadAxis(axis, position, context);
        if (!a.usable) continue;
        if (a.position < a.threshold.low) result.push_back(a.lowCode);
        if (a.position > a.threshold.high) result.push_back(a.highCode);
    }
    if (context.caps.wCaps & kPadHasPov)
        for (int32_t code : {kPadCodeHatDown, kPadCodeHatUp, kPadCodeHatLeft, kPadCodeHatRight})
            if (position.pov == static_cast<uint32_t>(HatDirection(code))) result.push_back(code);
    return SortedUnique(std::move(result));
}

}  // namespace gkr
