#include "search_engine/required_run.h"

#include <algorithm>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zentrel {

namespace {

bool is_one_of(char c, const RequiredRun::Choice& choice)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte == choice[0] || byte == choice[1];
}

} // namespace

RequiredRun::RequiredRun(std::vector<Choice> characters)
    : characters_(std::move(characters)), second_anchor_(characters_.empty() ? 0 : characters_.size() - 1)
{
}

void RequiredRun::choose_anchors(std::string_view sample)
{
    if (characters_.size() < 2) return;
    std::array<std::size_t, 256> counts{};
    for (const char c : sample) ++counts[static_cast<unsigned char>(c)];
    std::vector<std::size_t> by_rarity(characters_.size());
    for (std::size_t index = 0; index < by_rarity.size(); ++index) by_rarity[index] = index;
    const auto count_of = [&](std::size_t index) {
        const Choice& choice = characters_[index];
        return counts[choice[0]] + (choice[1] == choice[0] ? 0 : counts[choice[1]]);
    };
    std::stable_sort(by_rarity.begin(), by_rarity.end(),
                     [&](std::size_t a, std::size_t b) { return count_of(a) < count_of(b); });
    first_anchor_ = std::min(by_rarity[0], by_rarity[1]);
    second_anchor_ = std::max(by_rarity[0], by_rarity[1]);
}

bool RequiredRun::stands_at(std::string_view text, std::size_t at) const
{
    for (std::size_t index = 0; index < characters_.size(); ++index) {
        if (!is_one_of(text[at + index], characters_[index])) return false;
    }
    return true;
}

// Sixteen places at a time, the two anchor characters of the run are tested together;
// only where both stand is the whole run compared.
std::size_t RequiredRun::find(std::string_view text, std::size_t from) const
{
    const std::size_t length = characters_.size();
    if (length == 0) return from <= text.size() ? from : text.size();
    if (text.size() < length) return text.size();
    const std::size_t last_start = text.size() - length; // the last place the run fits
    std::size_t at = from;
#if defined(__SSE2__)
    const Choice& first = characters_[first_anchor_];
    const Choice& last = characters_[second_anchor_];
    const __m128i first_0 = _mm_set1_epi8(static_cast<char>(first[0]));
    const __m128i first_1 = _mm_set1_epi8(static_cast<char>(first[1]));
    const __m128i last_0 = _mm_set1_epi8(static_cast<char>(last[0]));
    const __m128i last_1 = _mm_set1_epi8(static_cast<char>(last[1]));
    constexpr std::size_t width = 16;
    for (; at + width <= last_start + 1; at += width) {
        const auto* starts = reinterpret_cast<const __m128i*>(text.data() + at + first_anchor_);
        const auto* ends = reinterpret_cast<const __m128i*>(text.data() + at + second_anchor_);
        const __m128i start_bytes = _mm_loadu_si128(starts);
        const __m128i end_bytes = _mm_loadu_si128(ends);
        const __m128i starts_match =
            _mm_or_si128(_mm_cmpeq_epi8(start_bytes, first_0), _mm_cmpeq_epi8(start_bytes, first_1));
        const __m128i ends_match = _mm_or_si128(_mm_cmpeq_epi8(end_bytes, last_0), _mm_cmpeq_epi8(end_bytes, last_1));
        auto places = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(starts_match, ends_match)));
        while (places != 0) {
            const std::size_t place = at + static_cast<std::size_t>(__builtin_ctz(places));
            if (stands_at(text, place)) return place;
            places &= places - 1;
        }
    }
#endif
    for (; at <= last_start; ++at) {
        if (stands_at(text, at)) return at;
    }
    return text.size();
}

} // namespace zentrel
