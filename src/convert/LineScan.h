#pragma once
// The two line scans of the conversion commands. A visitor is called with each line as a view
// into the text; it may return void, or bool where false ends the scan early.
//
// ForEachCrLine: lines end at CR. Nothing is handed over when the text has no CR or begins with
// one. After each CR one directly following LF or CR is skipped (one byte only). The scan ends at
// an empty line and never hands over text after the last CR, so LF-only text yields no line.
//
// ForEachLfLine: lines end at LF; a CR before the LF stays in the line. Nothing is handed over
// when the text has no LF or begins with one. After each LF every following CR and LF is
// skipped, so runs of empty lines are passed over. Text after the last LF is never handed over.

#include <string_view>
#include <type_traits>

namespace halvex {

namespace detail {

// Calls the visitor; true when the scan should go on.
template <typename Visitor>
bool VisitLine(Visitor& visitor, std::string_view line) {
    if constexpr (std::is_same_v<std::invoke_result_t<Visitor&, std::string_view>, void>) {
        visitor(line);
        return true;
    } else {
        return static_cast<bool>(visitor(line));
    }
}

}  // namespace detail

template <typename Visitor>
void ForEachCrLine(std::string_view text, Visitor&& visitor) {
    std::size_t start = 0;
    std::size_t end = text.find('\r');
    while (end != std::string_view::npos && end != start) {
        if (!detail::VisitLine(visitor, text.substr(start, end - start))) return;
        start = end + 1;
        if (start < text.size() && (text[start] == '\n' || text[start] == '\r')) ++start;
        end = text.find('\r', start);
    }
}

template <typename Visitor>
void ForEachLfLine(std::string_view text, Visitor&& visitor) {
    std::size_t start = 0;
    std::size_t end = text.find('\n');
    if (end == 0) return;
    while (end != std::string_view::npos) {
        if (!detail::VisitLine(visitor, text.substr(start, end - start))) return;
        start = text.find_first_not_of("\r\n", end + 1);
        if (start == std::string_view::npos) return;
        end = text.find('\n', start);
    }
}

}  // namespace halvex
