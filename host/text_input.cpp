#include "text_input.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace kadrimos::host_sim {

std::vector<std::string> split_words(const std::string& text, const std::string& where) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            std::size_t end = text.find('"', i + 1);
            if (end == std::string::npos) throw InputError(where, "unterminated quote");
            words.push_back(text.substr(i + 1, end - i - 1));
            i = end + 1;
        } else {
            std::size_t end = i;
            while (end < text.size() && text[end] != ' ' && text[end] != '\t' && text[end] != '\r' &&
                   text[end] != '#' && text[end] != '"')
                ++end;
            words.push_back(text.substr(i, end - i));
            i = end;
        }
    }
    return words;
}

std::vector<Line> read_lines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw InputError(path, "cannot open the file");
    std::vector<Line> lines;
    std::string text;
    int number = 0;
    while (std::getline(in, text)) {
        ++number;
        Line line{path, number, text, {}};
        if (text.find('\0') != std::string::npos) line.fail("the line holds a NUL byte; is this a text file?");
        line.words = split_words(text, line.where());
        if (!line.words.empty()) lines.push_back(std::move(line));
    }
    return lines;
}

std::optional<double> parse_double(std::string_view word) {
    if (word.empty()) return std::nullopt;
    std::string s(word);
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size() || errno == ERANGE || !std::isfinite(v)) {
        // Spelled-out non-numbers are allowed: a scenario may hand the module
        // what a broken simulation would.
        if (s == "nan") return std::nan("");
        if (s == "inf" || s == "+inf") return HUGE_VAL;
        if (s == "-inf") return -HUGE_VAL;
        return std::nullopt;
    }
    return v;
}

std::optional<int64_t> parse_integer(std::string_view word) {
    if (word.empty()) return std::nullopt;
    std::string s(word);
    bool negative = false;
    std::size_t start = 0;
    if (s[0] == '-') {
        negative = true;
        start = 1;
    }
    int base = 10;
    if (s.size() > start + 2 && s[start] == '0' && (s[start + 1] == 'x' || s[start + 1] == 'X')) {
        base = 16;
        start += 2;
    }
    if (start >= s.size()) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(s.c_str() + start, &end, base);
    if (end != s.c_str() + s.size() || errno == ERANGE) return std::nullopt;
    for (std::size_t i = start; i < s.size(); ++i)
        if (s[i] == '+' || s[i] == '-' || s[i] == ' ') return std::nullopt;
    return negative ? -v : v;
}

const std::string& need_word(const Line& line, std::size_t index, const char* what) {
    if (index >= line.words.size()) line.fail(std::string("expected ") + what + " after '" + line.words.back() + "'");
    return line.words[index];
}

double need_double(const Line& line, std::size_t index, const char* what) {
    const std::string& w = need_word(line, index, what);
    auto v = parse_double(w);
    if (!v) line.fail(std::string("expected ") + what + " (a number), found '" + w + "'");
    return *v;
}

int64_t need_integer(const Line& line, std::size_t index, const char* what, int64_t low, int64_t high) {
    const std::string& w = need_word(line, index, what);
    auto v = parse_integer(w);
    if (!v) line.fail(std::string("expected ") + what + " (a whole number), found '" + w + "'");
    if (*v < low || *v > high) {
        std::ostringstream m;
        m << what << " " << *v << " is out of range " << low << " to " << high;
        line.fail(m.str());
    }
    return *v;
}

void need_count(const Line& line, std::size_t low, std::size_t high) {
    if (line.words.size() < low) line.fail("'" + line.words[0] + "' is missing words");
    if (line.words.size() > high) line.fail("unexpected '" + line.words[high] + "' at the end of the line");
}

}  // namespace kadrimos::host_sim
