#include "core/base/json_writer.h"

#include <charconv>
#include <cmath>

#include "core/base/text_file.h"

namespace tarnwick {

namespace {

constexpr char kHex[] = "0123456789abcdef";

// Escapes UTF-8 (or ASCII) text: the quote, the backslash and the control
// characters below 0x20; everything else goes through as it is.
void appendEscaped(std::string& out, std::string_view text) {
    size_t plain = 0;  // start of the run of bytes that need no escape
    auto flush = [&](size_t i) {
        out.append(text.data() + plain, i - plain);
        plain = i + 1;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c != '"' && c != '\\') continue;
        flush(i);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default: {
                const char u[] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 0xF]};
                out.append(u, sizeof u);
            }
        }
    }
    out.append(text.data() + plain, text.size() - plain);
}

}  // namespace

void appendJsonString(std::string& out, std::string_view text) {
    out += '"';
    // Most text (every member name) is plain ASCII with nothing to escape.
    bool plain = true, ascii = true;
    for (char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == '"' || c == '\\') plain = false;
        if (c >= 0x80) ascii = plain = false;
    }
    if (plain)
        out.append(text);
    else if (ascii)
        appendEscaped(out, text);
    else
        appendEscaped(out, toUtf8(std::string(text)));
    out += '"';
}

JsonWriter::JsonWriter(Sink sink, std::size_t pieceSize) : sink_(std::move(sink)), pieceSize_(pieceSize) {
    out_.reserve(pieceSize_ + 4096);
}

bool JsonWriter::flush() {
    if (sink_ && !out_.empty()) {
        // After a failure the rest is dropped: the sink has lost its place.
        if (!sinkFailed_ && !sink_(out_)) sinkFailed_ = true;
        out_.clear();
    }
    return !sinkFailed_;
}

void JsonWriter::beforeValue() {
    spill();
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (levels_.empty()) return;
    Level& level = levels_.back();
    if (!level.empty) out_ += ',';
    if (level.layout == Layout::Lines) {
        out_ += '\n';
        out_.append(2 * levels_.size(), ' ');
    } else if (!level.empty) {
        out_ += ' ';
    }
    level.empty = false;
}

JsonWriter& JsonWriter::open(char bracket, Layout layout) {
    beforeValue();
    out_ += bracket;
    levels_.push_back({layout});
    return *this;
}

JsonWriter& JsonWriter::close(char bracket) {
    const Layout layout = levels_.empty() ? Layout::Inline : levels_.back().layout;
    if (!levels_.empty()) levels_.pop_back();
    if (layout == Layout::Lines) {
        out_ += '\n';
        out_.append(2 * levels_.size(), ' ');
    }
    out_ += bracket;
    return *this;
}

JsonWriter& JsonWriter::beginObject(Layout layout) {
    return open('{', layout);
}
JsonWriter& JsonWriter::endObject() {
    return close('}');
}
JsonWriter& JsonWriter::beginArray(Layout layout) {
    return open('[', layout);
}
JsonWriter& JsonWriter::endArray() {
    return close(']');
}

JsonWriter& JsonWriter::key(std::string_view name) {
    beforeValue();
    appendJsonString(out_, name);
    out_ += ": ";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::number(double v) {
    if (!std::isfinite(v)) return null();
    beforeValue();
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    out_.append(buf, res.ptr);
    return *this;
}

JsonWriter& JsonWriter::number(const std::optional<double>& v) {
    return v ? number(*v) : null();
}

JsonWriter& JsonWriter::integer(long long v) {
    beforeValue();
    char buf[24];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    out_.append(buf, res.ptr);
    return *this;
}

JsonWriter& JsonWriter::boolean(bool v) {
    return raw(v ? "true" : "false");
}
JsonWriter& JsonWriter::null() {
    return raw("null");
}

JsonWriter& JsonWriter::string(std::string_view text) {
    beforeValue();
    appendJsonString(out_, text);
    return *this;
}

JsonWriter& JsonWriter::raw(std::string_view text) {
    beforeValue();
    out_.append(text);
    return *this;
}

}  // namespace tarnwick
