// Writing rendered pictures in the exact file formats the program carries.
#pragma once

#include <QImage>
#include <QString>

namespace pictures {

// 24-bit uncompressed BMP, bottom row first, rows padded to 4 bytes, resolution fields 0.
bool WriteBmp24(const QImage& image, const QString& path);

// Baseline JFIF 1.01 at 96 dpi with quantisation tables of all ones, Y sampled 2 x 2,
// Cb and Cr 1 x 1, the typical Huffman tables and nothing else.
bool WriteJpegPage(const QImage& image, const QString& path);

// PNG without any time stamp, so that a rerun gives the same bytes.
bool WritePng(const QImage& image, const QString& path);

} // namespace pictures
