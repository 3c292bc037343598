#include <gtest/gtest.h>

#include "payload_record/payload_record.h"

namespace {

TEST(PayloadRecord, LayoutOfASmallPayload)
{
    const std::vector<uint8_t> payload = {1, 2, 3, 4, 5};
    std::string error;
    const std::vector<uint8_t> r = BuildPayloadRecord("twlsetup.exe", payload, error);
    ASSERT_EQ(r.size(), 20u + 16u) << error;
    EXPECT_EQ(r[0], 'X');
    EXPECT_EQ(r[1], 0);
    EXPECT_EQ(r[2], 0);
    EXPECT_EQ(r[3], 12);
    EXPECT_EQ(std::string(r.begin() + 4, r.begin() + 16), "TWLSETUP.EXE");
    EXPECT_EQ((std::vector<uint8_t>(r.begin() + 16, r.begin() + 20)), (std::vector<uint8_t>{0, 0, 0, 5}));
    EXPECT_EQ((std::vector<uint8_t>(r.begin() + 20, r.begin() + 25)), payload);
    for (size_t i = 25; i < r.size(); ++i)
        EXPECT_EQ(r[i], 0) << i;
}

TEST(PayloadRecord, LengthIsBigEndianAndTheNameEndsAtIt)
{
    std::string error;
    const std::vector<uint8_t> r = BuildPayloadRecord("A.EXE", std::vector<uint8_t>(0x012345, 7), error);
    ASSERT_FALSE(r.empty()) << error;
    EXPECT_EQ(r[3], 5);
    EXPECT_STREQ(reinterpret_cast<const char *>(r.data() + 4), "A.EXE");
    EXPECT_EQ(r[16], 0x00);
    EXPECT_EQ(r[17], 0x01);
    EXPECT_EQ(r[18], 0x23);
    EXPECT_EQ(r[19], 0x45);
    EXPECT_EQ(r.size(), 20u + PaddedPayloadSize(0x012345));
}

TEST(PayloadRecord, RoundedByteCount)
{
    EXPECT_EQ(PaddedPayloadSize(0), 0u);
    EXPECT_EQ(PaddedPayloadSize(1), 16u);
    EXPECT_EQ(PaddedPayloadSize(16), 16u);
    EXPECT_EQ(PaddedPayloadSize(2134570), 2134576u);
}

TEST(PayloadRecord, RefusesNamesThatAreNotEightDotThreeExe)
{
    std::string error;
    for (const char *name : {"TWLSETUP.COM", "TOOLONGNAME.EXE", ".EXE", "SETUP", "SET UP.EXE", "A.B.EXE",
                             "SETUP.EXEX", "S/ETUP.EXE", "SETUP.EX"}) {
        error.clear();
        EXPECT_TRUE(BuildPayloadRecord(name, {1}, error).empty()) << name;
        EXPECT_NE(error.find("8.3"), std::string::npos) << name;
    }
    EXPECT_TRUE(IsDosExeName("setup_1.exe"));
    EXPECT_TRUE(IsDosExeName("12345678.ExE"));
}

TEST(PayloadRecord, RefusesAPayloadWhoseLengthWouldNotEndATwelveCharacterName)
{
    struct Case {
        const char *name;
        size_t size;
        bool accepted;
    };
    const Case cases[] = {
        {"TWLSETUP.EXE", 0xFFFFFF, true},   // the length's first byte is 0 and ends the name
        {"TWLSETUP.EXE", 0x1000000, false}, // 16 MiB: it would not
        {"SETUP.EXE", 0x1000000, true},     // a shorter name ends within its field
    };
    for (const Case &c : cases) {
        std::string error;
        const std::vector<uint8_t> r = BuildPayloadRecord(c.name, std::vector<uint8_t>(c.size, 1), error);
        EXPECT_EQ(!r.empty(), c.accepted) << c.name << " " << c.size;
        if (!c.accepted) {
            EXPECT_NE(error.find("16777215"), std::string::npos) << error;
            EXPECT_NE(error.find("shorter name"), std::string::npos) << error;
        } else {
            EXPECT_EQ(r[4 + std::string(c.name).size()], 0) << c.name << ": the name does not end";
        }
    }
}

} // namespace
