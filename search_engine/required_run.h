#pragma once
// A run of characters that every text a wildcard pattern matches must hold, each as the
// one or two bytes (its letter cases) that may stand for it, and the search for the run in
// a stretch of bytes. The search lets the scan of a file pass over the lines that cannot
// match without splitting them: only a line that holds the run can hold a field that
// matches.
#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

namespace zentrel {

class RequiredRun final {
public:
    // The bytes one character of the run may be; the same byte twice where it has one.
    using Choice = std::array<unsigned char, 2>;

    RequiredRun() = default;
    explicit RequiredRun(std::vector<Choice> characters);

    // Where the run first stands in text from `from` on; text.size() when nowhere.
    std::size_t find(std::string_view text, std::size_t from = 0) const;

    // The search first looks for two characters of the run, then compares the whole run
    // where both stand: the first and the last, unless they are chosen here as the two
    // rarest in a sample of the text to be searched.
    void choose_anchors(std::string_view sample);

    std::size_t size() const { return characters_.size(); }
    bool empty() const { return characters_.empty(); }

private:
    bool stands_at(std::string_view text, std::size_t at) const;

    std::vector<Choice> characters_;
    std::size_t first_anchor_ = 0;
    std::size_t second_anchor_ = 0;
};

} // namespace zentrel
