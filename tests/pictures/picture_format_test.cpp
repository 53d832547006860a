// Checks the committed picture files byte by byte against the formats the program carries:
// the 24-bit BMP logo, the nine JFIF pages and the PNG application icons.
#include "tests/support/jpeg_markers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

std::vector<std::uint8_t> ReadSourceFile(const std::string& relativePath) {
    std::ifstream in(std::string(ZORVEL_SOURCE_DIR) + "/" + relativePath, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}
std::uint16_t Le16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
std::uint32_t Be32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return (std::uint32_t{b[at]} << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
}
std::uint16_t Be16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>((b[at] << 8) | b[at + 1]);
}

TEST(LogoFile, HeadersAreThoseOfAnUncompressed24BitBmpOf125By59) {
    const std::vector<std::uint8_t> bmp = ReadSourceFile("pages/pictures/logo.bmp");
    ASSERT_EQ(bmp.size(), 22238u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(Le32(bmp, 2), 22238u) << "file size field";
    EXPECT_EQ(Le32(bmp, 6), 0u) << "reserved fields";
    EXPECT_EQ(Le32(bmp, 10), 54u) << "pixel data offset";
    EXPECT_EQ(Le32(bmp, 14), 40u) << "information header size";
    EXPECT_EQ(static_cast<std::int32_t>(Le32(bmp, 18)), 125);
    EXPECT_EQ(static_cast<std::int32_t>(Le32(bmp, 22)), 59) << "positive: bottom row first";
    EXPECT_EQ(Le16(bmp, 26), 1) << "planes";
    EXPECT_EQ(Le16(bmp, 28), 24) << "bits per pixel";
    EXPECT_EQ(Le32(bmp, 30), 0u) << "compression";
    EXPECT_EQ(Le32(bmp, 34), 22184u) << "image size";
    EXPECT_EQ(Le32(bmp, 38), 0u) << "horizontal resolution";
    EXPECT_EQ(Le32(bmp, 42), 0u) << "vertical resolution";
    EXPECT_EQ(Le32(bmp, 46), 0u) << "colours used: no colour table";
    EXPECT_EQ(Le32(bmp, 50), 0u) << "important colours";
}

TEST(LogoFile, ShowsGoldLetteringInsideAGreyFrameOnWhite) {
    const std::vector<std::uint8_t> bmp = ReadSourceFile("pages/pictures/logo.bmp");
    ASSERT_EQ(bmp.size(), 22238u);
    const std::size_t rowSize = 376;
    auto pixel = [&](int x, int yFromTop) {
        const std::size_t at = 54 + rowSize * static_cast<std::size_t>(58 - yFromTop) +
                               static_cast<std::size_t>(x) * 3;
        return std::array<int, 3>{bmp[at + 2], bmp[at + 1], bmp[at]}; // R, G, B
    };
    auto isGrey = [](std::array<int, 3> c) {
        return c[0] == c[1] && c[1] == c[2] && c[0] > 60 && c[0] < 230;
    };
    // The frame runs round all four edges.
    for (const auto& [x, y] :
         {std::pair{0, 0}, {124, 0}, {0, 58}, {124, 58}, {62, 0}, {62, 58}, {0, 29}, {124, 29}}) {
        EXPECT_TRUE(isGrey(pixel(x, y))) << "frame at " << x << "," << y;
    }
    EXPECT_EQ(pixel(3, 3), (std::array<int, 3>{255, 255, 255})) << "white inside the frame";
    int gold = 0;
    for (int y = 1; y < 58; ++y) {
        for (int x = 1; x < 124; ++x) {
            const auto c = pixel(x, y);
            gold += (c[0] > 180 && c[1] > 120 && c[2] < 110 && c[0] > c[2] + 100) ? 1 : 0;
        }
    }
    EXPECT_GT(gold, 300) << "gold lettering";
    for (std::size_t row = 0; row < 59; ++row) {
        EXPECT_EQ(bmp[54 + row * rowSize + 375], 0) << "padding byte of row " << row;
    }
}

// The typical Huffman tables of the JPEG standard (ITU T.81, Annex K.3): 16 code-length
// counts and the symbol values, in that order.
struct HuffmanTable {
    std::uint8_t classAndId;
    std::vector<std::uint8_t> bitsAndValues;
};

std::vector<std::uint8_t> Concat(std::vector<std::uint8_t> bits, std::vector<std::uint8_t> vals) {
    bits.insert(bits.end(), vals.begin(), vals.end());
    return bits;
}

const std::array<HuffmanTable, 4>& TypicalHuffmanTables() {
    static const std::array<HuffmanTable, 4> tables = {{
        {0x00, Concat({0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0},
                      {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11})},
        {0x10,
         Concat({0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7d},
                {0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51,
                 0x61, 0x07, 0x22, 0x71, 0x14, 0x32, 0x81, 0x91, 0xa1, 0x08, 0x23, 0x42, 0xb1, 0xc1,
                 0x15, 0x52, 0xd1, 0xf0, 0x24, 0x33, 0x62, 0x72, 0x82, 0x09, 0x0a, 0x16, 0x17, 0x18,
                 0x19, 0x1a, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2a, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39,
                 0x3a, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54, 0x55, 0x56, 0x57,
                 0x58, 0x59, 0x5a, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75,
                 0x76, 0x77, 0x78, 0x79, 0x7a, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8a, 0x92,
                 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9a, 0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0xa7,
                 0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0xba, 0xc2, 0xc3,
                 0xc4, 0xc5, 0xc6, 0xc7, 0xc8, 0xc9, 0xca, 0xd2, 0xd3, 0xd4, 0xd5, 0xd6, 0xd7, 0xd8,
                 0xd9, 0xda, 0xe1, 0xe2, 0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8, 0xe9, 0xea, 0xf1, 0xf2,
                 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa})},
        {0x01, Concat({0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0},
                      {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11})},
        {0x11,
         Concat({0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77},
                {0x00, 0x01, 0x02, 0x03, 0x11, 0x04, 0x05, 0x21, 0x31, 0x06, 0x12, 0x41, 0x51, 0x07,
                 0x61, 0x71, 0x13, 0x22, 0x32, 0x81, 0x08, 0x14, 0x42, 0x91, 0xa1, 0xb1, 0xc1, 0x09,
                 0x23, 0x33, 0x52, 0xf0, 0x15, 0x62, 0x72, 0xd1, 0x0a, 0x16, 0x24, 0x34, 0xe1, 0x25,
                 0xf1, 0x17, 0x18, 0x19, 0x1a, 0x26, 0x27, 0x28, 0x29, 0x2a, 0x35, 0x36, 0x37, 0x38,
                 0x39, 0x3a, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54, 0x55, 0x56,
                 0x57, 0x58, 0x59, 0x5a, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74,
                 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89,
                 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9a, 0xa2, 0xa3, 0xa4, 0xa5,
                 0xa6, 0xa7, 0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0xba,
                 0xc2, 0xc3, 0xc4, 0xc5, 0xc6, 0xc7, 0xc8, 0xc9, 0xca, 0xd2, 0xd3, 0xd4, 0xd5, 0xd6,
                 0xd7, 0xd8, 0xd9, 0xda, 0xe2, 0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8, 0xe9, 0xea, 0xf2,
                 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa})},
    }};
    return tables;
}

// DHT segments may carry several tables; split them into (class/id, bits+values) pairs.
std::vector<HuffmanTable> SplitHuffmanSegment(const std::vector<std::uint8_t>& body) {
    std::vector<HuffmanTable> tables;
    std::size_t at = 0;
    while (at + 17 <= body.size()) {
        std::size_t count = 0;
        for (std::size_t i = 1; i <= 16; ++i) {
            count += body[at + i];
        }
        const std::size_t end = std::min(body.size(), at + 17 + count);
        tables.push_back(
            {body[at], std::vector<std::uint8_t>(body.begin() + static_cast<long>(at + 1),
                                                 body.begin() + static_cast<long>(end))});
        at = end;
    }
    return tables;
}

struct PageFile {
    const char* path;
    int width;
    int height;
};

std::ostream& operator<<(std::ostream& out, const PageFile& page) {
    return out << page.path;
}

class PageFileFormat : public testing::TestWithParam<PageFile> {
  protected:
    void SetUp() override {
        file_ = ReadSourceFile(GetParam().path);
        ASSERT_FALSE(file_.empty()) << "missing " << GetParam().path;
        const auto error = WalkJpeg(file_, layout_);
        ASSERT_FALSE(error.has_value()) << *error;
    }

    std::vector<const JpegSegment*> SegmentsWith(std::uint8_t marker) const {
        std::vector<const JpegSegment*> found;
        for (const JpegSegment& segment : layout_.segments) {
            if (segment.marker == marker) {
                found.push_back(&segment);
            }
        }
        return found;
    }

    std::vector<std::uint8_t> file_;
    JpegLayout layout_;
};

TEST_P(PageFileFormat, HasOnlyTheExpectedSegmentsInOrderAndEndsAtEoi) {
    std::vector<std::uint8_t> markers;
    for (const JpegSegment& segment : layout_.segments) {
        markers.push_back(segment.marker);
    }
    const std::vector<std::uint8_t> expected = {0xE0, 0xDB, 0xDB, 0xC0, 0xC4,
                                                0xC4, 0xC4, 0xC4, 0xDA};
    EXPECT_EQ(markers, expected) << "APP0, two DQT, SOF0, four DHT, one SOS and nothing else";
    EXPECT_TRUE(layout_.stray.empty()) << "markers after the scan besides EOI";
    EXPECT_EQ(layout_.restartMarkers, 0);
    EXPECT_TRUE(layout_.endsWithEoi) << "EOI at " << layout_.eoiOffset << " of " << file_.size();
}

TEST_P(PageFileFormat, Jfif101At96DpiWithoutThumbnail) {
    const auto app0 = SegmentsWith(0xE0);
    ASSERT_EQ(app0.size(), 1u);
    const std::vector<std::uint8_t> expected = {'J', 'F', 'I', 'F', 0, 1, 1, 1, 0, 96, 0, 96, 0, 0};
    EXPECT_EQ(app0[0]->body, expected);
}

TEST_P(PageFileFormat, QuantisationTablesZeroAndOneAreAllOnesAt8Bits) {
    const auto dqt = SegmentsWith(0xDB);
    ASSERT_EQ(dqt.size(), 2u);
    for (std::size_t i = 0; i < dqt.size(); ++i) {
        const std::vector<std::uint8_t>& body = dqt[i]->body;
        ASSERT_EQ(body.size(), 65u) << "one 8-bit table per segment";
        EXPECT_EQ(body[0], i) << "precision 0 (8-bit) and table number " << i;
        for (std::size_t k = 1; k < body.size(); ++k) {
            EXPECT_EQ(body[k], 1) << "entry " << k - 1 << " of table " << i;
        }
    }
}

TEST_P(PageFileFormat, BaselineFrameOfTheCatalogueSizeWithLumaSampled2By2) {
    const auto sof = SegmentsWith(0xC0);
    ASSERT_EQ(sof.size(), 1u);
    const std::vector<std::uint8_t>& b = sof[0]->body;
    ASSERT_EQ(b.size(), 15u);
    EXPECT_EQ(b[0], 8) << "sample precision";
    EXPECT_EQ(Be16(b, 1), GetParam().height);
    EXPECT_EQ(Be16(b, 3), GetParam().width);
    EXPECT_EQ(b[5], 3) << "components";
    const std::vector<std::uint8_t> components(b.begin() + 6, b.end());
    const std::vector<std::uint8_t> expected = {1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1};
    EXPECT_EQ(components, expected) << "Y 2x2 table 0, Cb and Cr 1x1 table 1";
}

TEST_P(PageFileFormat, HuffmanTablesAreTheFourTypicalOnes) {
    std::vector<HuffmanTable> found;
    for (const JpegSegment* segment : SegmentsWith(0xC4)) {
        for (HuffmanTable& table : SplitHuffmanSegment(segment->body)) {
            found.push_back(std::move(table));
        }
    }
    ASSERT_EQ(found.size(), 4u);
    for (const HuffmanTable& typical : TypicalHuffmanTables()) {
        int matches = 0;
        for (const HuffmanTable& table : found) {
            if (table.classAndId == typical.classAndId) {
                ++matches;
                EXPECT_EQ(table.bitsAndValues, typical.bitsAndValues)
                    << "table class/id " << int{typical.classAndId};
            }
        }
        EXPECT_EQ(matches, 1) << "table class/id " << int{typical.classAndId};
    }
}

TEST_P(PageFileFormat, OneInterleavedScanOverTheThreeComponents) {
    const auto sos = SegmentsWith(0xDA);
    ASSERT_EQ(sos.size(), 1u);
    const std::vector<std::uint8_t> expected = {3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0};
    EXPECT_EQ(sos[0]->body, expected) << "Y with DC/AC tables 0, Cb and Cr with tables 1";
}

struct DecodeOutcome {
    bool failed = false;
    long warnings = 0;
    int width = 0;
    int height = 0;
};

struct CountingErrors {
    jpeg_error_mgr standard;
    std::jmp_buf jumpBack;
};

[[noreturn]] void JumpBack(j_common_ptr info) {
    std::longjmp(reinterpret_cast<CountingErrors*>(info->err)->jumpBack, 1);
}
void Silent(j_common_ptr, int) {}

// Decodes the whole file with libjpeg, counting its warnings. The row buffer comes from
// libjpeg's own pool, so a jump back from an error leaves nothing to free but the object.
void Decode(const std::vector<std::uint8_t>& file, DecodeOutcome& outcome) {
    CountingErrors errors{};
    jpeg_decompress_struct info{};
    info.err = jpeg_std_error(&errors.standard);
    errors.standard.error_exit = JumpBack;
    errors.standard.emit_message = Silent;
    jpeg_create_decompress(&info);
    if (setjmp(errors.jumpBack) != 0) {
        outcome.failed = true;
        jpeg_destroy_decompress(&info);
        return;
    }
    jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    outcome.width = static_cast<int>(info.output_width);
    outcome.height = static_cast<int>(info.output_height);
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                               info.output_width * 3, 1);
    while (info.output_scanline < info.output_height) {
        jpeg_read_scanlines(&info, row, 1);
    }
    jpeg_finish_decompress(&info);
    outcome.warnings = errors.standard.num_warnings;
    jpeg_destroy_decompress(&info);
}

TEST_P(PageFileFormat, DecodesCleanlyToItsCatalogueSize) {
    DecodeOutcome outcome;
    Decode(file_, outcome);
    EXPECT_FALSE(outcome.failed);
    EXPECT_EQ(outcome.warnings, 0) << "damaged entropy-coded data";
    EXPECT_EQ(outcome.width, GetParam().width);
    EXPECT_EQ(outcome.height, GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(CommittedPages, PageFileFormat,
                         testing::Values(PageFile{"pages/pictures/licence.jpg", 650, 654},
                                         PageFile{"pages/pictures/contact.jpg", 634, 475},
                                         PageFile{"pages/pictures/tale.jpg", 1000, 758},
                                         PageFile{"pages/pictures/textbook.jpg", 1000, 758},
                                         PageFile{"pages/pictures/august.jpg", 1000, 758},
                                         PageFile{"pages/pictures/assmann.jpg", 1000, 758},
                                         PageFile{"pages/pictures/air_humidity.jpg", 1000, 758},
                                         PageFile{"pages/pictures/water_vapour.jpg", 1000, 758},
                                         PageFile{"pages/pictures/temperature_scales.jpg", 1000,
                                                  758}),
                         [](const testing::TestParamInfo<PageFile>& info) {
                             std::string name = info.param.path;
                             name = name.substr(name.rfind('/') + 1);
                             return name.substr(0, name.find('.'));
                         });

// The walk itself must notice the faults the page checks look for.
TEST(JpegWalk, NoticesACommentARestartAndAMissingEnd) {
    const std::vector<std::uint8_t> page = ReadSourceFile("pages/pictures/air_humidity.jpg");
    ASSERT_GT(page.size(), 1000u);
    JpegLayout intact;
    ASSERT_FALSE(WalkJpeg(page, intact).has_value());
    ASSERT_TRUE(intact.endsWithEoi);

    std::vector<std::uint8_t> commented = page;
    const std::vector<std::uint8_t> comment = {0xFF, 0xFE, 0x00, 0x05, 'h', 'i', '!'};
    commented.insert(commented.begin() + 2, comment.begin(), comment.end());
    JpegLayout withComment;
    ASSERT_FALSE(WalkJpeg(commented, withComment).has_value());
    ASSERT_FALSE(withComment.segments.empty());
    EXPECT_EQ(withComment.segments.front().marker, 0xFE);

    std::vector<std::uint8_t> restarted = page;
    const std::vector<std::uint8_t> restart = {0xFF, 0xD3};
    restarted.insert(restarted.end() - 2, restart.begin(), restart.end());
    JpegLayout withRestart;
    ASSERT_FALSE(WalkJpeg(restarted, withRestart).has_value());
    EXPECT_EQ(withRestart.restartMarkers, 1);

    std::vector<std::uint8_t> trailing = page;
    trailing.push_back(0x00);
    JpegLayout withTrailer;
    ASSERT_FALSE(WalkJpeg(trailing, withTrailer).has_value());
    EXPECT_FALSE(withTrailer.endsWithEoi);

    const std::vector<std::uint8_t> truncated(page.begin(), page.end() - 2);
    JpegLayout cut;
    EXPECT_TRUE(WalkJpeg(truncated, cut).has_value());
}

TEST(IconFiles, ArePngsOfTheDesktopSizes) {
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const std::string path = "resources/icons/zorvel-" + std::to_string(size) + ".png";
        const std::vector<std::uint8_t> png = ReadSourceFile(path);
        ASSERT_GE(png.size(), 33u) << path;
        const std::vector<std::uint8_t> signature(png.begin(), png.begin() + 8);
        EXPECT_EQ(signature,
                  (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}))
            << path;
        EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR") << path;
        EXPECT_EQ(Be32(png, 16), static_cast<std::uint32_t>(size)) << path << " width";
        EXPECT_EQ(Be32(png, 20), static_cast<std::uint32_t>(size)) << path << " height";
    }
}

} // namespace
