// The floor the picture store is measured against: libjpeg-turbo used directly, with
// nothing around it but a buffer and a file.
#pragma once

#include <span>
#include <string>
#include <vector>

// Decodes a JPEG file to RGB with the accurate integer DCT, one scanline at a time,
// into one buffer of rows padded to 4 bytes. Returns the buffer (empty on failure).
std::vector<unsigned char> BareJpegDecode(std::span<const unsigned char> file);

// Compresses a bottom-up B,G,R picture at libjpeg quality 70 into a file at path.
bool BareJpegEncode(const unsigned char* bottomUpBgr, int width, int height, int rowSize,
                    const std::string& path);
