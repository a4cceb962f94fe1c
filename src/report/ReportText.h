#pragma once

#include <charconv>
#include <concepts>
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace quorvane {

// Appends the decimal digits of a whole number, as a stream in the classic locale prints it.
template <std::integral Number>
requires(!std::same_as<Number, char> &&
         !std::same_as<Number, bool>) void append_integer(std::string& out, Number number) {
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
}

// The text of a report on its way to its stream. Pieces are appended to one buffer and
// held there, so that a report that fails while it is made writes nothing. Once the writer
// has made everything that can fail, pass_on() lets the buffer go out in large pieces as it
// fills: the connections of a long log are a text of a hundred megabytes that need not be
// held whole. finish() writes what is left.
class ReportText {
public:
    explicit ReportText(std::ostream& out) : m_out(out) { m_text.reserve(kPiece + kPiece / 8); }
    ReportText(const ReportText&) = delete;
    ReportText& operator=(const ReportText&) = delete;

    ReportText& operator<<(std::string_view text) {
        m_text += text;
        return *this;
    }
    ReportText& operator<<(const char* text) { return *this << std::string_view(text); }
    ReportText& operator<<(const std::string& text) { return *this << std::string_view(text); }
    ReportText& operator<<(char c) {
        m_text += c;
        return *this;
    }
    template <std::integral Number>
    requires(!std::same_as<Number, char> && !std::same_as<Number, bool>) ReportText& operator<<(
        Number number) {
        append_integer(m_text, number);
        return *this;
    }

    // The buffer itself, for writers that build a line in place.
    std::string& text() { return m_text; }
    // From now on the buffer goes out whenever it has grown past a piece.
    void pass_on() {
        m_passing = true;
        piece_done();
    }
    // Called after each line: writes the buffer if it may and it is large.
    void piece_done() {
        if (m_passing && m_text.size() >= kPiece) write_out();
    }
    // Writes the rest and flushes the stream; false when the stream failed.
    bool finish();

private:
    static constexpr size_t kPiece = size_t{1} << 20;
    void write_out();

    std::ostream& m_out;
    std::string m_text;
    bool m_passing = false;
};

}  // namespace quorvane
