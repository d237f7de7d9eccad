// Reading the simulated host's text files: panel configurations, host
// profiles, role labels and scenarios. Every file is read line by line; a
// line is split into words, where a word in double quotes may hold blanks
// and '#' starts a comment outside quotes. Errors carry file and line.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kadrimos::host_sim {

// A bad input: what the user must fix, and where.
class InputError : public std::runtime_error {
public:
    InputError(const std::string& where, const std::string& message)
        : std::runtime_error(where + ": " + message) {}
    // Several problems at once, each already "where: message", one a line.
    explicit InputError(const std::vector<std::string>& problems) : std::runtime_error(joined(problems)) {}

private:
    static std::string joined(const std::vector<std::string>& problems) {
        std::string out;
        for (const std::string& p : problems) out += (out.empty() ? "" : "\n") + p;
        return out;
    }
};

struct Line {
    std::string file;
    int number = 0;
    std::string text;
    std::vector<std::string> words;
    std::string where() const { return file + ":" + std::to_string(number); }
    [[noreturn]] void fail(const std::string& message) const { throw InputError(where(), message); }
};

// Reads a whole file into lines (blank and comment-only lines dropped).
// Throws InputError for a missing file, an unterminated quote or a NUL byte.
std::vector<Line> read_lines(const std::string& path);
// Splits one line's text; throws on an unterminated quote.
std::vector<std::string> split_words(const std::string& text, const std::string& where);

// Number parsing: the whole word must be the number. Integers may be
// decimal or 0x hexadecimal.
std::optional<double> parse_double(std::string_view word);
std::optional<int64_t> parse_integer(std::string_view word);

// The same, failing with a message naming what was expected.
double need_double(const Line& line, std::size_t index, const char* what);
int64_t need_integer(const Line& line, std::size_t index, const char* what, int64_t low, int64_t high);
const std::string& need_word(const Line& line, std::size_t index, const char* what);
void need_count(const Line& line, std::size_t low, std::size_t high);

}  // namespace kadrimos::host_sim
