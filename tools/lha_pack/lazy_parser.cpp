#include "lha_pack/lazy_parser.h"

namespace lha {

LazyParser::LazyParser(std::span<const uint8_t> data, const ParseOptions &options)
    : data_(data), options_(options), finder_(data)
{
}

void LazyParser::InsertUpTo(size_t end)
{
    for (; inserted_ < end; ++inserted_)
        finder_.Insert(inserted_);
}

Match LazyParser::FindAt(size_t pos)
{
    InsertUpTo(pos);
    const bool good = hasPending_ && pending_.length >= options_.goodLength;
    Match m = finder_.Find(pos, good ? options_.maxChain / 4 : options_.maxChain);
    if (m.length == minMatch && m.distance > options_.farMinLength)
        m = {};
    return m;
}

void LazyParser::Parse(std::vector<Token> &out, size_t maxTokens)
{
    while (out.size() < maxTokens && !Done()) {
        const Match m = FindAt(pos_);
        if (hasPending_) {
            if (m.length > pending_.length) {
                out.push_back(Token::Literal(data_[pos_ - 1]));
                pending_ = m;
                ++pos_;
            } else {
                out.push_back(Token::Match(pending_.length, pending_.distance));
                pos_ += pending_.length - 1;
                hasPending_ = false;
            }
        } else if (m.length >= options_.lazyBelow) {
            out.push_back(Token::Match(m.length, m.distance));
            pos_ += m.length;
        } else if (m.length != 0) {
            pending_ = m;
            hasPending_ = true;
            ++pos_;
        } else {
            out.push_back(Token::Literal(data_[pos_]));
            ++pos_;
        }
    }
}

} // namespace lha
