#include "core/NumberReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <iterator>
#include <random>
#include <sstream>
#include <string>

namespace {

// What a read leaves: the value, the stream's state and the text not taken.
struct CReadResult {
    float fValue;
    std::ios::iostate state;
    std::string strRest;

    bool operator==(const CReadResult& other) const {
        // Compared bit for bit: -0 is not 0.
        return memcmp(&fValue, &other.fValue, sizeof fValue) == 0 && state == other.state &&
               strRest == other.strRest;
    }
};

std::ostream& operator<<(std::ostream& out, const CReadResult& result) {
    return out << result.fValue << " state " << result.state << " rest \"" << result.strRest
               << "\"";
}

template <typename Read> CReadResult ReadWith(const std::string& strText, Read read) {
    std::istringstream in(strText);
    float fValue = 12345;
    read(in, fValue);
    std::ios::iostate state = in.rdstate();
    in.clear();
    std::string strRest((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return {fValue, state, strRest};
}

CReadResult ByStream(const std::string& strText) {
    return ReadWith(strText, [](std::istream& in, float& fValue) { in >> fValue; });
}

CReadResult ByReader(const std::string& strText) {
    return ReadWith(strText, [](std::istream& in, float& fValue) { in >> Number(fValue); });
}

TEST(NumberReader, TakesWhatTheStreamExtractionTakes) {
    const char* const texts[] = {
        "",
        " ",
        "12",
        "12 ",
        " \t\n 42",
        "-1",
        "+5",
        "-0",
        "+0",
        "0",
        "000",
        "007",
        "0.5",
        ".5",
        "5.",
        ".",
        "-.",
        "+.",
        "-",
        "+",
        "+-1",
        "-+1",
        "--1",
        "1.2.3",
        "1..2",
        "1e5",
        "1E5",
        "1e",
        "1e ",
        "1e+",
        "1e-",
        "1e+5",
        "1E-3x",
        "1e5e5",
        "1e.5",
        ".e5",
        "e5",
        "0e5",
        "0x10",
        "0X1p3",
        "inf",
        "-inf",
        "nan",
        "NaN",
        "infinity",
        "3e38",
        "3.5e38",
        "-3.5e38",
        "1e39",
        "1e-38",
        "1e-40",
        "1e-46",
        "1e-50",
        "-1e-50",
        "12abc",
        "4 2",
        "144,5",
        "72.000000",
        "0.100000001",
        "16777217",
        "123456789012345678901234567890",
        "0.000000000000000000000000000000000000000000001",
        "1e999999",
        "00000000000.5e-0001",
        "\xb7"
        "5",
        "5\xff",
    };
    for (const char* pText : texts) {
        EXPECT_EQ(ByReader(pText), ByStream(pText)) << "text \"" << pText << "\"";
    }
}

TEST(NumberReader, AgreesWithTheStreamOnRandomNumberTexts) {
    // Texts made of the characters a number may hold, and a few others.
    const char alphabet[] = "0123456789.eE+- x";
    std::mt19937 random(7);
    for (int i = 0; i < 20000; ++i) {
        std::string strText;
        size_t nLength = random() % 12;
        for (size_t j = 0; j < nLength; ++j) {
            strText += alphabet[random() % (sizeof alphabet - 1)];
        }
        ASSERT_EQ(ByReader(strText), ByStream(strText)) << "text \"" << strText << "\"";
    }
}

TEST(NumberReader, ChainsLikeTheStreamExtraction) {
    std::istringstream in("At 72 144.5 For -1e1 x");
    std::string strWord;
    float fLeft = 0;
    float fTop = 0;
    float fWidth = 0;
    float fHeight = 0;
    EXPECT_TRUE(in >> strWord >> Number(fLeft) >> Number(fTop) >> strWord >> Number(fWidth));
    EXPECT_EQ(fLeft, 72.0f);
    EXPECT_EQ(fTop, 144.5f);
    EXPECT_EQ(strWord, "For");
    EXPECT_EQ(fWidth, -10.0f);
    EXPECT_FALSE(in >> Number(fHeight));
    EXPECT_EQ(fHeight, 0.0f);
}

} // namespace
