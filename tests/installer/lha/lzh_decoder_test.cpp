#include <gtest/gtest.h>

#include <random>
#include <string>

#include "installer/lha/lha_decoder.h"
#include "lzh_test_encoder.h"

namespace {

class VectorSink : public ByteSink {
public:
    bool Put(const uint8_t *data, size_t size) override
    {
        if (size > limit - bytes.size())
            return false;
        bytes.insert(bytes.end(), data, data + size);
        return true;
    }
    std::vector<uint8_t> bytes;
    size_t limit = SIZE_MAX;
};

const char *MethodFor(unsigned windowBits)
{
    return windowBits == 13 ? "-lh5-" : windowBits == 15 ? "-lh6-" : "-lh7-";
}

DecodeStatus Decode(unsigned windowBits, const std::vector<uint8_t> &packed, uint64_t size, VectorSink &sink)
{
    return DecodeMember(MethodFor(windowBits), packed, size, sink);
}

void ExpectRoundTrip(const std::vector<LzhToken> &tokens, const LzhEncodeOptions &options)
{
    const std::vector<uint8_t> expected = ExpandTokens(tokens, options.windowBits);
    const std::vector<uint8_t> packed = EncodeLzh(tokens, options);
    VectorSink sink;
    ASSERT_EQ(Decode(options.windowBits, packed, expected.size(), sink), DecodeStatus::ok);
    ASSERT_EQ(sink.bytes.size(), expected.size());
    EXPECT_TRUE(sink.bytes == expected) << "window bits " << options.windowBits;
}

std::vector<LzhToken> Literals(const std::string &text)
{
    std::vector<LzhToken> tokens;
    for (char c : text) {
        LzhToken t;
        t.literal = static_cast<uint8_t>(c);
        tokens.push_back(t);
    }
    return tokens;
}

LzhToken Match(unsigned length, unsigned distance)
{
    LzhToken t;
    t.length = length;
    t.distance = distance;
    return t;
}

// A block of only literals 'a' whose table has codes of every length from 1 to 16.
LzhEncodeOptions DeepLiteralCode()
{
    LzhEncodeOptions options;
    std::vector<uint8_t> lengths(510, 0);
    for (unsigned i = 0; i < 16; ++i)
        lengths['a' + i] = static_cast<uint8_t>(i + 1);
    lengths['a' + 16] = 16;
    options.literalLengths = lengths;
    return options;
}

TEST(LzhDecoder, RandomLiteralsAndMatchesOfEveryWindowDecodeExactly)
{
    for (unsigned windowBits : {13u, 15u, 16u}) {
        LzhEncodeOptions options;
        options.windowBits = windowBits;
        options.blockTokens = 3000; // several blocks, each with tables of its own
        ExpectRoundTrip(RandomTokens(windowBits, 20000, windowBits), options);
    }
}

TEST(LzhDecoder, MatchesReachTheWholeWindowAndOverlapThemselves)
{
    for (unsigned windowBits : {13u, 15u, 16u}) {
        std::vector<LzhToken> tokens = Literals("abcdefghij");
        tokens.push_back(Match(256, 1));                        // a run of one byte
        tokens.push_back(Match(200, 3));                        // a repeated short pattern
        tokens.push_back(Match(256, 1u << windowBits));         // before the start: spaces
        tokens.push_back(Match(100, (1u << windowBits) - 1));
        tokens.push_back(Match(3, 7));
        LzhEncodeOptions options;
        options.windowBits = windowBits;
        ExpectRoundTrip(tokens, options);
    }
}

TEST(LzhDecoder, OutputLongerThanTheBufferKeepsItsHistory)
{
    // More than 256 KiB, so the decoder flushes and moves its window several times.
    std::vector<LzhToken> tokens = RandomTokens(7, 120000, 16);
    LzhEncodeOptions options;
    options.windowBits = 16;
    ExpectRoundTrip(tokens, options);
}

TEST(LzhDecoder, SingleSymbolTablesTakeNoBits)
{
    // One literal symbol and one position slot: both tables in their one-symbol form.
    std::vector<LzhToken> tokens = Literals("zzzz");
    std::vector<LzhToken> runs(300, Match(256, 4));
    LzhEncodeOptions options;
    ExpectRoundTrip(Literals("qqqqqqqqqqqqqqq"), options);
    tokens.insert(tokens.end(), runs.begin(), runs.end());
    ExpectRoundTrip(tokens, options);
}

TEST(LzhDecoder, CodesLongerThanTheLookupIndexDecode)
{
    std::vector<LzhToken> tokens;
    for (int round = 0; round < 50; ++round)
        for (char c = 'a'; c <= 'a' + 16; ++c)
            tokens.push_back(Literals(std::string(1, c))[0]);
    ExpectRoundTrip(tokens, DeepLiteralCode());
}

TEST(LzhDecoder, TokensFoundInRealTextDecode)
{
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "line " + std::to_string(i * 7 % 113) + ": the quick brown fox\n";
    const std::vector<uint8_t> data(text.begin(), text.end());
    const std::vector<LzhToken> tokens = TokensOf(data, 13);
    ASSERT_EQ(ExpandTokens(tokens, 13), data);
    LzhEncodeOptions options;
    ExpectRoundTrip(tokens, options);
}

TEST(LzhDecoder, AMatchPastTheOriginalSizeIsCutOff)
{
    std::vector<LzhToken> tokens = Literals("ab");
    tokens.push_back(Match(256, 2));
    LzhEncodeOptions options;
    const std::vector<uint8_t> packed = EncodeLzh(tokens, options);
    VectorSink sink;
    ASSERT_EQ(Decode(13, packed, 10, sink), DecodeStatus::ok);
    EXPECT_EQ(std::string(sink.bytes.begin(), sink.bytes.end()), "ababababab");
}

TEST(LzhDecoder, EveryTruncationIsDetected)
{
    LzhEncodeOptions options;
    options.blockTokens = 200;
    const std::vector<LzhToken> tokens = RandomTokens(3, 600, 13);
    const std::vector<uint8_t> packed = EncodeLzh(tokens, options);
    const size_t size = ExpandTokens(tokens, 13).size();
    for (size_t cut = 0; cut < packed.size(); ++cut) {
        VectorSink sink;
        const std::vector<uint8_t> part(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_EQ(Decode(13, part, size, sink), DecodeStatus::truncated) << "cut at " << cut;
    }
}

TEST(LzhDecoder, MoreOutputThanTheStreamHoldsIsTruncated)
{
    LzhEncodeOptions options;
    const std::vector<LzhToken> tokens = Literals("hello");
    VectorSink sink;
    EXPECT_EQ(Decode(13, EncodeLzh(tokens, options), 1000, sink), DecodeStatus::truncated);
}

// Hand-written blocks with one defect each.
struct BadBlock {
    const char *what;
    void (*write)(BitWriter &);
    DecodeStatus expected;
};

void PutPreTreeOfFiveBitCodes(BitWriter &w)
{
    // 19 symbols: 13 of length 4 and 6 of length 5 fill the code space exactly.
    w.Put(19, 5);
    for (unsigned i = 0; i < 19; ++i) {
        w.Put(i < 13 ? 4 : 5, 3);
        if (i == 2)
            w.Put(0, 2);
    }
}

const BadBlock badBlocks[] = {
    {"empty block", [](BitWriter &w) { w.Put(0, 16); }, DecodeStatus::badCode},
    {"pre-tree count above 19", [](BitWriter &w) { w.Put(1, 16); w.Put(20, 5); }, DecodeStatus::badTable},
    {"pre-tree single symbol 19", [](BitWriter &w) { w.Put(1, 16); w.Put(0, 5); w.Put(19, 5); },
     DecodeStatus::badTable},
    {"pre-tree lengths over-subscribed",
     [](BitWriter &w) {
         w.Put(1, 16);
         w.Put(3, 5);
         for (int i = 0; i < 3; ++i)
             w.Put(1, 3); // three codes of one bit
         w.Put(0, 2);
     },
     DecodeStatus::badTable},
    {"pre-tree over-subscribed by one 16-bit code",
     [](BitWriter &w) {
         w.Put(1, 16);
         w.Put(18, 5); // lengths 1, 2, ..., 16, 16, 16
         for (unsigned i = 0; i < 18; ++i) {
             const unsigned length = i < 16 ? i + 1 : 16;
             w.Put(length < 7 ? length : 7, 3);
             for (unsigned one = 7; one < length; ++one)
                 w.Put(1, 1);
             if (length >= 7)
                 w.Put(0, 1);
             if (i == 2)
                 w.Put(0, 2);
         }
     },
     DecodeStatus::badTable},
    {"code length above 16",
     [](BitWriter &w) {
         w.Put(1, 16);
         w.Put(2, 5);
         w.Put(7, 3);
         for (int i = 0; i < 10; ++i)
             w.Put(1, 1);
     },
     DecodeStatus::badTable},
    {"literal count above 510",
     [](BitWriter &w) {
         w.Put(1, 16);
         PutPreTreeOfFiveBitCodes(w);
         w.Put(511, 9);
     },
     DecodeStatus::badTable},
    {"literal single symbol 510",
     [](BitWriter &w) {
         w.Put(1, 16);
         w.Put(0, 5);
         w.Put(0, 5);
         w.Put(0, 9);
         w.Put(510, 9);
     },
     DecodeStatus::badTable},
    {"zero run past the literal count",
     [](BitWriter &w) {
         w.Put(1, 16);
         w.Put(0, 5);
         w.Put(2, 5); // every pre-tree symbol is "2": a run of 20 + 9 bits
         w.Put(30, 9);
         w.Put(20, 9); // 40 zero lengths of 30
     },
     DecodeStatus::badTable},
    {"position count above the slots of -lh5-",
     [](BitWriter &w) {
         w.Put(1, 16);
         w.Put(0, 5);
         w.Put(0, 5);
         w.Put(0, 9);
         w.Put('x', 9);
         w.Put(15, 4);
     },
     DecodeStatus::badTable},
    {"code outside an incomplete literal code",
     [](BitWriter &w) {
         w.Put(1, 16);
         w.Put(0, 5);
         w.Put(4, 5); // every pre-tree symbol is 4: length 2
         w.Put(3, 9); // symbols 0, 1, 2 of length 2: code 11 is unused
         w.Put(0, 4);
         w.Put(0, 4);
         w.Put(3, 2);
     },
     DecodeStatus::badCode},
};

TEST(LzhDecoder, MalformedBlocksFailWithTheirReason)
{
    for (const BadBlock &bad : badBlocks) {
        BitWriter w;
        bad.write(w);
        w.Put(0, 32); // enough bits that the defect, not the end, stops the decoder
        w.Put(0, 32);
        VectorSink sink;
        EXPECT_EQ(Decode(13, w.Finish(), 5, sink), bad.expected) << bad.what;
    }
}

TEST(LzhDecoder, RandomBytesNeverDecodeOutOfBounds)
{
    // Garbage must end in an error or in exactly the requested size, never more.
    std::mt19937 random(11);
    for (int round = 0; round < 300; ++round) {
        std::vector<uint8_t> packed(random() % 400);
        for (uint8_t &b : packed)
            b = static_cast<uint8_t>(random());
        for (unsigned windowBits : {13u, 15u, 16u}) {
            VectorSink sink;
            if (Decode(windowBits, packed, 5000, sink) == DecodeStatus::ok)
                EXPECT_EQ(sink.bytes.size(), 5000u);
            else
                EXPECT_LE(sink.bytes.size(), 5000u);
        }
    }
}

TEST(MemberDecoding, StoredDataIsCopiedAndOtherMethodsAreRefused)
{
    const std::vector<uint8_t> data = {1, 2, 3, 4, 5};
    VectorSink sink;
    ASSERT_EQ(DecodeMember("-lh0-", data, 5, sink), DecodeStatus::ok);
    EXPECT_EQ(sink.bytes, data);
    VectorSink mismatch;
    EXPECT_EQ(DecodeMember("-lh0-", data, 6, mismatch), DecodeStatus::sizeMismatch);
    for (const char *method : {"-lh1-", "-lh4-", "-lzs-", "-lz5-", "-lhd-", "-lh8-"}) {
        VectorSink other;
        EXPECT_EQ(DecodeMember(method, data, 5, other), DecodeStatus::unsupportedMethod) << method;
        EXPECT_FALSE(IsDecodableMethod(method)) << method;
    }
}

TEST(MemberDecoding, AFailingSinkStopsTheDecoding)
{
    LzhEncodeOptions options;
    const std::vector<LzhToken> tokens = RandomTokens(5, 200000, 13);
    const std::vector<uint8_t> packed = EncodeLzh(tokens, options);
    VectorSink sink;
    sink.limit = 1000;
    EXPECT_EQ(Decode(13, packed, ExpandTokens(tokens, 13).size(), sink), DecodeStatus::sinkFailed);
    VectorSink stored;
    stored.limit = 10;
    EXPECT_EQ(DecodeMember("-lh0-", std::vector<uint8_t>(100), 100, stored), DecodeStatus::sinkFailed);
}

} // namespace
