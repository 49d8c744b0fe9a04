#include "search_engine/wildcard.h"

#include "platform/runtime_error.h"
#include "platform/text.h"

#include <string>
#include <utility>
#include <vector>

namespace zentrel {

namespace {

using ByteSet = std::bitset<256>;

unsigned char byte_at(std::string_view text, std::size_t index)
{
    return static_cast<unsigned char>(text[index]);
}

void add_range(ByteSet& set, unsigned char first, unsigned char last)
{
    if (first > last) platform::raise_error(platform::error::invalid_pattern);
    for (int byte = first; byte <= last; ++byte) set.set(static_cast<std::size_t>(byte));
}

// Every byte whose upper case is in `upper`.
ByteSet either_case(const ByteSet& upper)
{
    ByteSet set;
    for (std::size_t byte = 0; byte < set.size(); ++byte) {
        if (upper[platform::upper_byte(static_cast<unsigned char>(byte))]) set.set(byte);
    }
    return set;
}

ByteSet digits()
{
    ByteSet set;
    add_range(set, '0', '9');
    return set;
}

// Reads the list that follows a "[" at `position`; leaves `position` after its "]".
ByteSet read_list(std::string_view pattern, const std::vector<bool>& foreign, std::size_t& position)
{
    const bool negated = position < pattern.size() && pattern[position] == '!';
    if (negated) ++position;

    ByteSet set;
    while (position < pattern.size() && pattern[position] != ']') {
        const bool is_range = position + 2 < pattern.size() && pattern[position + 1] == '-' &&
                              pattern[position + 2] != ']';
        const std::size_t last = is_range ? position + 2 : position;
        if (!foreign[position] && !foreign[last]) add_range(set, byte_at(pattern, position), byte_at(pattern, last));
        position = last + 1;
    }
    if (position == pattern.size()) platform::raise_error(platform::error::invalid_pattern);
    ++position;

    if (negated) set.flip();
    return set;
}

} // namespace

WildcardPattern::WildcardPattern(std::string_view pattern, const std::vector<std::size_t>& foreign)
{
    const std::string upper = platform::ucase(pattern);
    const ByteSet any_digit = digits();
    std::vector<bool> is_foreign(upper.size(), false);
    for (std::size_t at : foreign) {
        if (at < is_foreign.size()) is_foreign[at] = true;
    }

    std::size_t position = 0;
    while (position < upper.size()) {
        const std::size_t at = position++;
        if (is_foreign[at]) {
            tokens_.push_back({false, {}}); // no text holds the letter
            continue;
        }
        const char c = upper[at];
        if (c == '*') {
            if (tokens_.empty() || !tokens_.back().is_star) tokens_.push_back({true, {}});
            continue;
        }
        ByteSet accepts;
        if (c == '?') {
            accepts.set();
        } else if (c == '#') {
            accepts = any_digit;
        } else if (c == '[') {
            const bool empty_list = position < upper.size() && upper[position] == ']';
            accepts = read_list(upper, is_foreign, position);
            if (empty_list) continue; // "[]" consumes no character
        } else {
            accepts.set(static_cast<unsigned char>(c));
        }
        tokens_.push_back({false, either_case(accepts)});
    }
}

RequiredRun WildcardPattern::required_run() const
{
    constexpr std::size_t shortest = 2;
    std::vector<RequiredRun::Choice> longest;
    std::vector<RequiredRun::Choice> current;
    for (const Token& token : tokens_) {
        std::vector<unsigned char> bytes;
        for (std::size_t byte = 0; !token.is_star && byte < token.accepts.size() && bytes.size() <= 2; ++byte) {
            if (token.accepts[byte]) bytes.push_back(static_cast<unsigned char>(byte));
        }
        if (bytes.empty() || bytes.size() > 2) {
            current.clear();
            continue;
        }
        current.push_back({bytes.front(), bytes.back()});
        if (current.size() > longest.size()) longest = current;
    }
    if (longest.size() < shortest) longest.clear();
    return RequiredRun(std::move(longest));
}

bool WildcardPattern::matches(std::string_view text) const
{
    // Most texts of a scan fail at their first character; a pattern that does not begin
    // with "*" tells them at once.
    if (!tokens_.empty() && !tokens_.front().is_star &&
        (text.empty() || !tokens_.front().accepts[byte_at(text, 0)])) {
        return false;
    }
    constexpr std::size_t no_star = static_cast<std::size_t>(-1);
    std::size_t next_char = 0;
    std::size_t next_token = 0;
    // The last "*" seen and the text position its current run ends at.
    std::size_t star_token = no_star;
    std::size_t star_run_end = 0;

    while (next_char < text.size()) {
        if (next_token < tokens_.size()) {
            const Token& token = tokens_[next_token];
            if (token.is_star) {
                star_token = next_token++;
                star_run_end = next_char;
                continue;
            }
            if (token.accepts[byte_at(text, next_char)]) {
                ++next_token;
                ++next_char;
                continue;
            }
        }
        if (star_token == no_star) return false;
        // Let the last "*" swallow one more character and retry what follows it.
        next_token = star_token + 1;
        next_char = ++star_run_end;
    }
    while (next_token < tokens_.size() && tokens_[next_token].is_star) ++next_token;
    return next_token == tokens_.size();
}

} // namespace zentrel
