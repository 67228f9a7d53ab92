#include "readers/key_values.h"

namespace sonaplex {

const KeyValues* KeyValues::find(QStringView name) const
{
    for (const KeyValues& c : children)
        if (c.key.compare(name, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

QString KeyValues::text(QStringView name) const
{
    const KeyValues* c = find(name);
    return c && !c->section ? c->value : QString();
}

namespace {
constexpr int kMaxDepth = 64;
constexpr int kMaxKeys = 1000000;

class Reader {
public:
    explicit Reader(const QByteArray& text) : p_(text.constData()), end_(p_ + text.size()) {}

    KeyValuesRead read()
    {
        KeyValuesRead result;
        result.root.section = true;
        if (readSection(result.root, 0) && p_ != end_)
            fail("a } with no section to close");
        result.error = error_;
        result.line = error_.isEmpty() ? 0 : line_;
        if (!result.ok())
            result.root.children.clear();
        return result;
    }

private:
    enum class Token { End, Text, Open, Close, Condition, Error };

    bool fail(const char* why)
    {
        if (error_.isEmpty())
            error_ = QString::fromLatin1(why);
        return false;
    }

    // Skips white space and comments.
    void skip()
    {
        while (p_ != end_) {
            if (*p_ == '\n') {
                ++line_;
                ++p_;
            } else if (*p_ == ' ' || *p_ == '\t' || *p_ == '\r' || *p_ == '\f' || *p_ == '\v') {
                ++p_;
            } else if (*p_ == '/' && p_ + 1 != end_ && p_[1] == '/') {
                while (p_ != end_ && *p_ != '\n')
                    ++p_;
            } else {
                return;
            }
        }
    }

    Token next(QByteArray& text)
    {
        skip();
        if (p_ == end_)
            return Token::End;
        const char c = *p_;
        if (c == '{' || c == '}') {
            ++p_;
            return c == '{' ? Token::Open : Token::Close;
        }
        text.clear();
        if (c == '"') {
            ++p_;
            while (p_ != end_ && *p_ != '"') {
                char ch = *p_++;
                if (ch == '\n')
                    ++line_;
                if (ch == '\\' && p_ != end_) {
                    const char e = *p_++;
                    ch = e == 'n' ? '\n' : e == 't' ? '\t' : e;
                }
                text += ch;
            }
            if (p_ == end_) {
                fail("a quoted text is not closed");
                return Token::Error;
            }
            ++p_;
            return Token::Text;
        }
        if (c == '[') {
            while (p_ != end_ && *p_ != ']' && *p_ != '\n')
                ++p_;
            if (p_ == end_ || *p_ != ']') {
                fail("a [condition] is not closed");
                return Token::Error;
            }
            ++p_;
            return Token::Condition;
        }
        while (p_ != end_ && *p_ != '"' && *p_ != '{' && *p_ != '}' && *p_ != ' ' && *p_ != '\t' && *p_ != '\n'
            && *p_ != '\r')
            text += *p_++;
        return Token::Text;
    }

    // The keys of a section, up to its } (or the end of the text, at the top).
    bool readSection(KeyValues& into, int depth)
    {
        QByteArray text;
        for (;;) {
            const Token t = next(text);
            if (t == Token::Error)
                return false;
            if (t == Token::End)
                return depth == 0 || fail("a section is not closed");
            if (t == Token::Close) {
                if (depth == 0) {
                    --p_; // left for read() to report
                    return true;
                }
                return true;
            }
            if (t == Token::Open)
                return fail("a section has no name");
            if (t == Token::Condition)
                continue; // a condition on the key before: the key is kept
            if (++keys_ > kMaxKeys)
                return fail("there are too many keys");
            KeyValues child;
            child.key = QString::fromUtf8(text);
            const Token v = next(text);
            if (v == Token::Error)
                return false;
            if (v == Token::Text) {
                child.value = QString::fromUtf8(text);
            } else if (v == Token::Open) {
                if (depth + 1 >= kMaxDepth)
                    return fail("sections nest too deep");
                child.section = true;
                if (!readSection(child, depth + 1))
                    return false;
            } else {
                return fail(v == Token::End ? "the last key has no value" : "a key has no value");
            }
            into.children.push_back(std::move(child));
        }
    }

    const char* p_;
    const char* const end_;
    int line_ = 1;
    int keys_ = 0;
    QString error_;
};
} // namespace

KeyValuesRead readKeyValues(const QByteArray& text) { return Reader(text).read(); }

} // namespace sonaplex
