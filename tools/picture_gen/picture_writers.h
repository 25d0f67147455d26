// Writers for the embedded picture files: Windows icons with one image (32 or
// 24 bits per pixel, with their AND mask), 8-bit RGBA PNG through libpng and
// baseline JPEG (colour or greyscale) through libjpeg.
#pragma once

#include <QImage>
#include <string>

bool WriteIco(const QImage& image, int bits_per_pixel, const std::string& path);
bool WritePng(const QImage& image, const std::string& path);
bool WriteJpeg(const QImage& image, bool greyscale, int quality, const std::string& path);
