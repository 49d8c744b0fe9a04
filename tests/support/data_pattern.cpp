#include "tests/support/data_pattern.h"

#include <array>
#include <bitset>
#include <cstddef>
#include <map>
#include <stdexcept>
#include <utility>
#include <vector>

namespace testing_support {

namespace {

using CharSet = std::bitset<256>;

constexpr int unbounded = -1;
// A count larger than this is a mistake in a description, not a rule about data.
constexpr int largest_count = 1000;

struct Node {
    enum class Kind { characters, sequence, choice, repeat };
    Kind kind = Kind::sequence;
    CharSet characters{};
    std::vector<Node> parts{};
    int min = 1;
    int max = 1;
};

CharSet range_of(unsigned char first, unsigned char last)
{
    CharSet set;
    for (unsigned c = first; c <= last; ++c) set.set(c);
    return set;
}

CharSet single(unsigned char c)
{
    CharSet set;
    set.set(c);
    return set;
}

// The set an escape stands for: a class ("\d") or the character itself.
CharSet escaped(char c)
{
    switch (c) {
    case 'd': return range_of('0', '9');
    case 'D': return ~range_of('0', '9');
    case 's': return single(' ') | range_of('\t', '\r');
    case 'S': return ~(single(' ') | range_of('\t', '\r'));
    case 'w': return range_of('a', 'z') | range_of('A', 'Z') | range_of('0', '9') | single('_');
    case 'W': return ~(range_of('a', 'z') | range_of('A', 'Z') | range_of('0', '9') | single('_'));
    case 't': return single('\t');
    case 'r': return single('\r');
    case 'n': return single('\n');
    default: break;
    }
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9')) {
        throw std::invalid_argument(std::string("unknown escape \\") + c);
    }
    return single(u);
}

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    Node parse()
    {
        if (peek('^')) ++at_;
        Node node = choice();
        if (peek('$') && at_ + 1 == text_.size()) ++at_;
        if (at_ != text_.size()) fail("unexpected \"" + std::string(1, text_[at_]) + "\"");
        return node;
    }

private:
    [[noreturn]] void fail(const std::string& what) const
    {
        throw std::invalid_argument("pattern \"" + std::string(text_) + "\" at " + std::to_string(at_) + ": " + what);
    }

    bool peek(char c) const { return at_ < text_.size() && text_[at_] == c; }
    bool more() const { return at_ < text_.size(); }

    Node choice()
    {
        Node node{.kind = Node::Kind::choice};
        node.parts.push_back(sequence());
        while (peek('|')) {
            ++at_;
            node.parts.push_back(sequence());
        }
        return node.parts.size() == 1 ? std::move(node.parts.front()) : node;
    }

    Node sequence()
    {
        Node node{.kind = Node::Kind::sequence};
        while (more() && !peek('|') && !peek(')')) {
            if (peek('$') && at_ + 1 == text_.size()) break;
            node.parts.push_back(repeated(atom()));
        }
        return node;
    }

    Node repeated(Node node)
    {
        while (more()) {
            int min = 0;
            int max = unbounded;
            const char c = text_[at_];
            if (c == '*') {
                ++at_;
            } else if (c == '+') {
                ++at_;
                min = 1;
            } else if (c == '?') {
                ++at_;
                max = 1;
            } else if (c == '{') {
                ++at_;
                std::tie(min, max) = counts();
            } else {
                break;
            }
            if (peek('?')) fail("lazy counts are not supported");
            node = Node{.kind = Node::Kind::repeat, .characters = {}, .parts = {std::move(node)}, .min = min, .max = max};
        }
        return node;
    }

    int number()
    {
        int value = 0;
        const std::size_t start = at_;
        while (more() && text_[at_] >= '0' && text_[at_] <= '9') {
            value = value * 10 + (text_[at_++] - '0');
            if (value > largest_count) fail("count too large");
        }
        if (at_ == start) fail("count expected");
        return value;
    }

    std::pair<int, int> counts()
    {
        const int min = number();
        int max = min;
        if (peek(',')) {
            ++at_;
            max = peek('}') ? unbounded : number();
        }
        if (!peek('}')) fail("\"}\" expected");
        ++at_;
        if (max != unbounded && max < min) fail("counts out of order");
        return {min, max};
    }

    Node atom()
    {
        const char c = text_[at_++];
        switch (c) {
        case '(': {
            if (peek('?')) {
                if (at_ + 1 < text_.size() && text_[at_ + 1] == ':') {
                    at_ += 2;
                } else {
                    fail("only (?: ) groups are supported");
                }
            }
            Node inner = choice();
            if (!peek(')')) fail("\")\" expected");
            ++at_;
            return inner;
        }
        case '[': return characters(bracket());
        case '.': return characters(~(single('\n') | single('\r')));
        case '\\':
            if (!more()) fail("escape at the end");
            return characters(escaped(text_[at_++]));
        case '*':
        case '+':
        case '?':
        case '{': fail("nothing to repeat");
        case '^':
        case '$': fail("\"^\" and \"$\" stand only at the ends: a pattern matches the whole text");
        default: return characters(single(static_cast<unsigned char>(c)));
        }
    }

    static Node characters(const CharSet& set) { return Node{.kind = Node::Kind::characters, .characters = set}; }

    // One member of a class: a character or an escape, with its set.
    CharSet member(bool& is_single, unsigned char& as_char)
    {
        const char c = text_[at_++];
        is_single = true;
        as_char = static_cast<unsigned char>(c);
        if (c != '\\') return single(as_char);
        if (!more()) fail("escape at the end");
        const char e = text_[at_++];
        const CharSet set = escaped(e);
        is_single = set.count() == 1;
        if (is_single) {
            for (unsigned i = 0; i < 256; ++i) {
                if (set.test(i)) as_char = static_cast<unsigned char>(i);
            }
        }
        return set;
    }

    CharSet bracket()
    {
        const bool negated = peek('^');
        if (negated) ++at_;
        CharSet set;
        // As in ECMAScript, "]" closes even an empty class: "[]" matches nothing, "[^]" anything.
        while (more() && !peek(']')) {
            bool is_single = false;
            unsigned char low = 0;
            CharSet item = member(is_single, low);
            if (is_single && peek('-') && at_ + 1 < text_.size() && text_[at_ + 1] != ']') {
                ++at_;
                bool high_single = false;
                unsigned char high = 0;
                member(high_single, high);
                if (!high_single || high < low) fail("bad range in a class");
                item = range_of(low, high);
            }
            set |= item;
        }
        if (!peek(']')) fail("\"]\" expected");
        ++at_;
        return negated ? ~set : set;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

struct NfaState {
    std::vector<std::pair<CharSet, int>> edges;
    std::vector<int> empty_edges;
};

// Thompson's construction: each node adds states reached from `from` and gives back the
// state it ends in.
class NfaBuilder {
public:
    std::vector<NfaState> states{1};

    int build(const Node& node, int from)
    {
        switch (node.kind) {
        case Node::Kind::characters: {
            const int to = add();
            states[static_cast<std::size_t>(from)].edges.emplace_back(node.characters, to);
            return to;
        }
        case Node::Kind::sequence:
            for (const Node& part : node.parts) from = build(part, from);
            return from;
        case Node::Kind::choice: {
            const int to = add();
            for (const Node& part : node.parts) {
                const int start = add();
                link(from, start);
                link(build(part, start), to);
            }
            return to;
        }
        case Node::Kind::repeat: return build_repeat(node, from);
        }
        return from;
    }

private:
    int add()
    {
        states.emplace_back();
        return static_cast<int>(states.size() - 1);
    }

    void link(int from, int to) { states[static_cast<std::size_t>(from)].empty_edges.push_back(to); }

    int build_repeat(const Node& node, int from)
    {
        const Node& part = node.parts.front();
        for (int i = 0; i < node.min; ++i) from = build(part, from);
        if (node.max == unbounded) {
            const int loop = add();
            link(from, loop);
            link(build(part, loop), loop);
            return loop;
        }
        const int to = add();
        link(from, to);
        for (int i = node.min; i < node.max; ++i) {
            from = build(part, from);
            link(from, to);
        }
        return to;
    }
};

constexpr int not_built = -1;

} // namespace

struct Pattern::Automaton {
    std::string expression;
    std::vector<NfaState> nfa;
    int accepting = 0;

    // Deterministic states: the set of automaton states each stands for, whether it
    // accepts, and its transitions, built on first use.
    std::map<std::vector<int>, int> known;
    std::vector<std::vector<int>> sets;
    std::vector<bool> accepts;
    std::vector<std::array<int, 256>> next;

    std::vector<int> closure(std::vector<int> set) const
    {
        std::vector<bool> seen(nfa.size());
        for (const int state : set) seen[static_cast<std::size_t>(state)] = true;
        for (std::size_t i = 0; i < set.size(); ++i) {
            for (const int to : nfa[static_cast<std::size_t>(set[i])].empty_edges) {
                if (!seen[static_cast<std::size_t>(to)]) {
                    seen[static_cast<std::size_t>(to)] = true;
                    set.push_back(to);
                }
            }
        }
        std::vector<int> sorted;
        for (std::size_t state = 0; state < seen.size(); ++state) {
            if (seen[state]) sorted.push_back(static_cast<int>(state));
        }
        return sorted;
    }

    int state_of(const std::vector<int>& set)
    {
        const auto found = known.find(set);
        if (found != known.end()) return found->second;
        const int index = static_cast<int>(sets.size());
        known.emplace(set, index);
        sets.push_back(set);
        bool accepting_state = false;
        for (const int state : set) accepting_state = accepting_state || state == accepting;
        accepts.push_back(accepting_state);
        std::array<int, 256> unknown{};
        unknown.fill(not_built);
        next.push_back(unknown);
        return index;
    }

    int step(int from, unsigned char c)
    {
        int& to = next[static_cast<std::size_t>(from)][c];
        if (to != not_built) return to;
        std::vector<int> reached;
        for (const int state : sets[static_cast<std::size_t>(from)]) {
            for (const auto& [characters, target] : nfa[static_cast<std::size_t>(state)].edges) {
                if (characters.test(c)) reached.push_back(target);
            }
        }
        const int built = state_of(closure(reached));
        next[static_cast<std::size_t>(from)][c] = built; // `to` may dangle: state_of grew `next`
        return built;
    }
};

Pattern::Pattern(std::string_view expression) : automaton_(std::make_shared<Automaton>())
{
    automaton_->expression = std::string(expression);
    const Node tree = Parser(expression).parse();
    NfaBuilder builder;
    automaton_->accepting = builder.build(tree, 0);
    automaton_->nfa = std::move(builder.states);
    automaton_->state_of(automaton_->closure({0}));
}

bool Pattern::matches(std::string_view text) const
{
    Automaton& automaton = *automaton_;
    int state = 0;
    for (const char c : text) {
        state = automaton.step(state, static_cast<unsigned char>(c));
        if (automaton.sets[static_cast<std::size_t>(state)].empty()) return false;
    }
    return automaton.accepts[static_cast<std::size_t>(state)];
}

const std::string& Pattern::expression() const
{
    return automaton_->expression;
}

} // namespace testing_support
