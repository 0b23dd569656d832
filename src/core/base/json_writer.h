#pragma once
// A streaming JSON writer: everything goes straight into one buffer,
// numbers through std::to_chars, strings quoted with the quote, the
// backslash and every control character (below 0x20) escaped, and made
// UTF-8 (text that is not UTF-8 is taken as Latin-1, as old field files
// have it). The caller says how each object
// or array is laid out; the writer puts the commas, blanks and line breaks.
// Without a sink the buffer grows to hold the whole text; with one it is
// handed to the sink in pieces as it fills, so a report of megabytes needs
// no more memory than a piece.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

class JsonWriter {
public:
    // Members or elements on the line of the bracket, `{"a": 1, "b": 2}`, or
    // one per line, indented two blanks per level, with the closing bracket
    // on a line of its own (also when there is nothing inside).
    enum class Layout { Inline, Lines };

    // Receives the text piece by piece; false when it could not take it.
    using Sink = std::function<bool(std::string_view)>;

    JsonWriter() = default;
    explicit JsonWriter(Sink sink, std::size_t pieceSize = 64 * 1024);

    JsonWriter& beginObject(Layout layout = Layout::Inline);
    JsonWriter& endObject();
    JsonWriter& beginArray(Layout layout = Layout::Inline);
    JsonWriter& endArray();
    // The name of the next member of the open object; its value follows.
    JsonWriter& key(std::string_view name);

    // The shortest text that reads back to the same double; null when the
    // number is not finite.
    JsonWriter& number(double v);
    // A number, or null when there is none.
    JsonWriter& number(const std::optional<double>& v);
    JsonWriter& integer(long long v);
    JsonWriter& boolean(bool v);
    JsonWriter& string(std::string_view text);
    JsonWriter& null();
    // Text put in as it is, for what the writer has no call for.
    JsonWriter& raw(std::string_view text);

    void reserve(std::size_t bytes) { out_.reserve(bytes); }
    // The text not yet handed to a sink (without one: all of it).
    const std::string& text() const { return out_; }
    std::string take() { return std::move(out_); }
    // Hands what is left to the sink. False when the sink failed, now or
    // with an earlier piece (what came after a failure was dropped).
    bool flush();

private:
    struct Level {
        Layout layout;
        bool empty = true;
    };
    void beforeValue();
    void spill() {
        if (sink_ && out_.size() >= pieceSize_) flush();
    }
    JsonWriter& open(char bracket, Layout layout);
    JsonWriter& close(char bracket);

    std::string out_;
    std::vector<Level> levels_;
    bool afterKey_ = false;
    Sink sink_;
    std::size_t pieceSize_ = 0;
    bool sinkFailed_ = false;
};

// Appends `text` as a JSON string with its quotes.
void appendJsonString(std::string& out, std::string_view text);

}  // namespace tarnwick
