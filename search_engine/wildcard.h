#pragma once
// A wildcard pattern compiled once and matched against many texts, ignoring letter case
// (Windows-1252 upper-casing). The whole text must match the whole pattern:
//   ?       any one character
//   *       any run of characters, the empty run included
//   #       any one digit 0-9
//   [list]  any one character of the list; [!list] any one character not in it
//   a-b     inside a list, every byte code from a to b
// "*", "?", "#" and "[" inside a list, and "]" and "!" outside one, stand for themselves.
// "[]" matches the empty run and "[!]" any one character; a "-" first or last in a list
// stands for itself. An unclosed "[" or a descending range makes the pattern invalid.
// A typed letter that Windows-1252 lacks stands in the pattern's text as "?", the code
// page's stand-in; at the positions named as such it is that letter and no wildcard: no
// text holds it, so it matches no character, and in a list (or as a range's end) it adds
// none.
//
// Every token but "*" consumes exactly one character, so the match needs to backtrack only
// to the last "*": it takes at most len(text) x len(pattern) steps, never exponential time.
#include "search_engine/required_run.h"

#include <bitset>
#include <string_view>
#include <vector>

namespace zentrel {

class WildcardPattern final {
public:
    // Throws platform::RuntimeError(93) when the pattern is invalid. `foreign` names the
    // positions in the pattern of letters that Windows-1252 lacks.
    explicit WildcardPattern(std::string_view pattern, const std::vector<std::size_t>& foreign = {});

    // Allocates nothing.
    bool matches(std::string_view text) const;

    // The longest run of two or more characters, each of one or two bytes, that the
    // pattern asks for one after the other: every text that matches holds it. Empty
    // when the pattern has no such run.
    RequiredRun required_run() const;

private:
    // A "*", or the set of bytes that one character of the text may be: the pattern's
    // set of upper-cased bytes with every byte that upper-cases into it, so that the
    // match needs no upper-casing of the text.
    struct Token {
        bool is_star = false;
        std::bitset<256> accepts;
    };

    std::vector<Token> tokens_;
};

} // namespace zentrel
