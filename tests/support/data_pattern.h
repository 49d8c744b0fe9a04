#pragma once
// A regular expression for the data-set checker that matches a whole text in one look-up
// per character. It is compiled to a nondeterministic automaton once, and the checker's
// deterministic states are built from it as the texts need them, so tens of thousands of
// records are matched against many patterns in a fraction of a second even in a build
// with sanitizers, where the standard library's backtracking matcher takes minutes.
//
// The syntax is the ECMAScript subset that describes data: characters, ".", classes
// "[A-Z]" and "[^ ]", groups "( )" and "(?: )", "|", the counts "*", "+", "?", "{n}",
// "{n,}" and "{n,m}", the escapes "\d", "\s", "\w" (and "\D", "\S", "\W", "\t", "\r",
// "\n") and "\" before punctuation. "^" at the start and "$" at the end are allowed and
// change nothing: a pattern always matches the whole text. Anything else, such as a
// look-ahead or a back reference, is refused with std::invalid_argument.
#include <memory>
#include <string>
#include <string_view>

namespace testing_support {

class Pattern final {
public:
    explicit Pattern(std::string_view expression);

    // Whether the whole text matches.
    bool matches(std::string_view text) const;

    const std::string& expression() const;

private:
    struct Automaton;
    // Shared, so copies of a pattern share the states already built.
    std::shared_ptr<Automaton> automaton_;
};

} // namespace testing_support
