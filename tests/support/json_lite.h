#pragma once
// A small JSON reader for the tests: enough to load the reference designs
// and the command-line tool's output.

#include <cctype>
#include <charconv>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace jsonlite {

struct Value {
    enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string string;
    std::vector<Value> array;
    std::map<std::string, Value> object;

    bool isNull() const { return kind == Kind::Null; }
    const Value& operator[](const std::string& key) const {
        auto it = object.find(key);
        if (it == object.end()) throw std::runtime_error("no key " + key);
        return it->second;
    }
    const Value& operator[](size_t i) const { return array.at(i); }
    size_t size() const { return kind == Kind::Array ? array.size() : object.size(); }
    bool has(const std::string& key) const { return object.count(key) != 0; }
};

class Parser {
public:
    explicit Parser(const std::string& text) : s_(text) {}
    Value parse() {
        Value v = value();
        ws();
        if (i_ != s_.size()) fail("trailing text");
        return v;
    }

private:
    [[noreturn]] void fail(const char* what) { throw std::runtime_error(std::string("json: ") + what + " at " + std::to_string(i_)); }
    void ws() {
        while (i_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[i_]))) ++i_;
    }
    bool take(const char* word) {
        size_t n = std::char_traits<char>::length(word);
        if (s_.compare(i_, n, word) == 0) {
            i_ += n;
            return true;
        }
        return false;
    }
    Value value() {
        ws();
        if (i_ >= s_.size()) fail("end of text");
        Value v;
        char c = s_[i_];
        if (c == '{') {
            v.kind = Value::Kind::Object;
            ++i_;
            ws();
            if (s_[i_] == '}') return ++i_, v;
            for (;;) {
                ws();
                std::string key = str();
                ws();
                if (s_[i_++] != ':') fail("expected :");
                v.object[key] = value();
                ws();
                if (s_[i_] == ',') { ++i_; continue; }
                if (s_[i_] == '}') { ++i_; break; }
                fail("expected , or }");
            }
        } else if (c == '[') {
            v.kind = Value::Kind::Array;
            ++i_;
            ws();
            if (s_[i_] == ']') return ++i_, v;
            for (;;) {
                v.array.push_back(value());
                ws();
                if (s_[i_] == ',') { ++i_; continue; }
                if (s_[i_] == ']') { ++i_; break; }
                fail("expected , or ]");
            }
        } else if (c == '"') {
            v.kind = Value::Kind::String;
            v.string = str();
        } else if (take("null")) {
        } else if (take("true")) {
            v.kind = Value::Kind::Bool;
            v.boolean = true;
        } else if (take("false")) {
            v.kind = Value::Kind::Bool;
        } else {
            v.kind = Value::Kind::Number;
            size_t start = i_;
            while (i_ < s_.size() && (std::isdigit(static_cast<unsigned char>(s_[i_])) || s_[i_] == '-' || s_[i_] == '+' ||
                                      s_[i_] == '.' || s_[i_] == 'e' || s_[i_] == 'E'))
                ++i_;
            auto res = std::from_chars(s_.data() + start, s_.data() + i_, v.number);
            if (res.ec != std::errc() || start == i_) fail("bad number");
        }
        return v;
    }
    std::string str() {
        if (s_[i_] != '"') fail("expected string");
        ++i_;
        std::string out;
        while (i_ < s_.size() && s_[i_] != '"') {
            if (s_[i_] == '\\') {
                ++i_;
                char e = s_[i_++];
                switch (e) {
                    case 'n': out += '\n'; break;
                    case 't': out += '\t'; break;
                    case 'r': out += '\r'; break;
                    case 'u': out += '?'; i_ += 4; break;
                    default: out += e;
                }
            } else {
                out += s_[i_++];
            }
        }
        ++i_;
        return out;
    }
    const std::string& s_;
    size_t i_ = 0;
};

inline Value parse(const std::string& text) { return Parser(text).parse(); }

}  // namespace jsonlite
