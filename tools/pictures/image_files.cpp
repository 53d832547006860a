#include "image_files.h"

#include <QFile>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include <jpeglib.h>

namespace pictures {
namespace {

void PutLe16(std::vector<unsigned char>& out, std::uint16_t value) {
    out.push_back(static_cast<unsigned char>(value & 0xFF));
    out.push_back(static_cast<unsigned char>(value >> 8));
}

void PutLe32(std::vector<unsigned char>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<unsigned char>((value >> shift) & 0xFF));
    }
}

bool WriteWholeFile(const QString& path, const std::vector<unsigned char>& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    const auto size = static_cast<qint64>(bytes.size());
    return file.write(reinterpret_cast<const char*>(bytes.data()), size) == size;
}

struct JpegErrorManager {
    jpeg_error_mgr standard;
    std::jmp_buf jumpBack;
};

[[noreturn]] void ReturnToWriter(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->jumpBack, 1);
}

// Owns one libjpeg compression object for the lifetime of a write.
class CompressObject {
  public:
    explicit CompressObject(JpegErrorManager& errors) {
        info_.err = jpeg_std_error(&errors.standard);
        errors.standard.error_exit = ReturnToWriter;
        jpeg_create_compress(&info_);
    }
    ~CompressObject() { jpeg_destroy_compress(&info_); }
    CompressObject(const CompressObject&) = delete;
    CompressObject& operator=(const CompressObject&) = delete;

    jpeg_compress_struct& Info() { return info_; }

  private:
    jpeg_compress_struct info_{};
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

void ApplyPageSettings(jpeg_compress_struct& info) {
    jpeg_set_defaults(&info);
    // Tables of all ones keep the committed pages as close to the drawing as baseline
    // JPEG allows; the typical Huffman tables stay (no optimisation pass).
    std::vector<unsigned int> ones(DCTSIZE2, 1U);
    jpeg_add_quant_table(&info, 0, ones.data(), 100, TRUE);
    jpeg_add_quant_table(&info, 1, ones.data(), 100, TRUE);
    info.optimize_coding = FALSE;
    info.restart_interval = 0;
    info.restart_in_rows = 0;
    info.write_JFIF_header = TRUE;
    info.JFIF_major_version = 1;
    info.JFIF_minor_version = 1;
    info.density_unit = 1;
    info.X_density = 96;
    info.Y_density = 96;
    info.write_Adobe_marker = FALSE;
    info.dct_method = JDCT_ISLOW;
    // Y 2 x 2 with table 0, Cb and Cr 1 x 1 with table 1.
    info.comp_info[0].h_samp_factor = 2;
    info.comp_info[0].v_samp_factor = 2;
    info.comp_info[0].quant_tbl_no = 0;
    for (int c = 1; c < 3; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
        info.comp_info[c].quant_tbl_no = 1;
    }
}

bool CompressInto(std::FILE* file, const QImage& rgb) {
    JpegErrorManager errors{};
    CompressObject object(errors);
    jpeg_compress_struct& info = object.Info();
    if (setjmp(errors.jumpBack) != 0) {
        return false;
    }
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(rgb.width());
    info.image_height = static_cast<JDIMENSION>(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    ApplyPageSettings(info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        // libjpeg only reads through the row pointer.
        JSAMPROW row =
            const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

} // namespace

bool WriteBmp24(const QImage& image, const QString& path) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const int width = rgb.width();
    const int height = rgb.height();
    const int rowSize = (width * 3 + 3) / 4 * 4;
    const std::uint32_t imageSize = static_cast<std::uint32_t>(rowSize * height);
    const std::uint32_t headersSize = 14 + 40;

    std::vector<unsigned char> bytes;
    bytes.reserve(headersSize + imageSize);
    bytes.push_back('B');
    bytes.push_back('M');
    PutLe32(bytes, headersSize + imageSize);
    PutLe32(bytes, 0); // two reserved 16-bit fields
    PutLe32(bytes, headersSize);
    PutLe32(bytes, 40);
    PutLe32(bytes, static_cast<std::uint32_t>(width));
    PutLe32(bytes, static_cast<std::uint32_t>(height)); // positive: bottom row first
    PutLe16(bytes, 1);
    PutLe16(bytes, 24);
    PutLe32(bytes, 0); // no compression
    PutLe32(bytes, imageSize);
    PutLe32(bytes, 0); // horizontal resolution
    PutLe32(bytes, 0); // vertical resolution
    PutLe32(bytes, 0); // colours used
    PutLe32(bytes, 0); // important colours
    for (int y = height - 1; y >= 0; --y) {
        const uchar* line = rgb.constScanLine(y);
        for (int x = 0; x < width; ++x) {
            bytes.push_back(line[x * 3 + 2]);
            bytes.push_back(line[x * 3 + 1]);
            bytes.push_back(line[x * 3]);
        }
        for (int pad = width * 3; pad < rowSize; ++pad) {
            bytes.push_back(0);
        }
    }
    return WriteWholeFile(path, bytes);
}

bool WriteJpegPage(const QImage& image, const QString& path) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const QByteArray encodedPath = QFile::encodeName(path);
    bool written = false;
    {
        std::unique_ptr<std::FILE, FileCloser> file(std::fopen(encodedPath.constData(), "wb"));
        if (!file) {
            return false;
        }
        written = CompressInto(file.get(), rgb) && std::fflush(file.get()) == 0 &&
                  std::ferror(file.get()) == 0;
    }
    if (!written) {
        QFile::remove(path);
    }
    return written;
}

bool WritePng(const QImage& image, const QString& path) {
    QImage clean = image.convertToFormat(QImage::Format_ARGB32);
    clean.setDotsPerMeterX(3780); // 96 dpi
    clean.setDotsPerMeterY(3780);
    return clean.save(path, "PNG", 0); // 0: smallest file (full compression)
}

} // namespace pictures
