// Builds TIFF files with libtiff's writer, for tests, fuzz seeds and benchmarks: written to a
// temporary file and read back, since that is the writer's own road.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <tiffio.h>

namespace tarn::test {

struct TiffFile {
  std::uint32_t width = 8;
  std::uint32_t height = 6;
  std::uint16_t samples = 3;
  std::uint16_t bits = 8;
  std::uint16_t photometric = PHOTOMETRIC_RGB;
  std::uint16_t compression = COMPRESSION_NONE;
  std::uint16_t orientation = ORIENTATION_TOPLEFT;
  std::uint16_t alpha = 0;  // EXTRASAMPLE_ASSOCALPHA or _UNASSALPHA for the last sample; 0 none
  std::uint16_t inkSet = INKSET_CMYK;
  std::vector<std::uint16_t> palette;  // red, green, blue maps of 2^bits entries each, 16-bit
  float xResolution = 0, yResolution = 0;
  std::uint16_t resolutionUnit = RESUNIT_INCH;
  std::uint32_t rowsPerStrip = 2;
  int pages = 1;
  // Sample c of pixel (x, y), y counted from the stored top row, at the file's depth.
  std::function<unsigned(std::uint32_t x, std::uint32_t y, int c)> sample = [](std::uint32_t x, std::uint32_t y, int c) {
    return (x * 40 + y * 20 + static_cast<unsigned>(c) * 70) & 0xFF;
  };
};

namespace tiff_detail {

inline void PutSample(std::vector<std::uint8_t>& row, std::uint64_t index, unsigned bits, unsigned value) {
  if (bits == 16) {
    std::uint16_t v = static_cast<std::uint16_t>(value);
    std::memcpy(&row[index * 2], &v, 2);  // native order: libtiff swaps as the file needs
  } else if (bits == 8) {
    row[index] = static_cast<std::uint8_t>(value);
  } else {
    const std::uint64_t bit = index * bits;
    const unsigned shift = 8 - bits - static_cast<unsigned>(bit % 8);
    row[bit / 8] = static_cast<std::uint8_t>(row[bit / 8] | (value & ((1u << bits) - 1)) << shift);
  }
}

}  // namespace tiff_detail

inline std::vector<std::uint8_t> MakeTiff(const TiffFile& f) {
  static int serial = 0;
  const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("tarn-tiff-" + std::to_string(reinterpret_cast<std::uintptr_t>(&f)) + "-" +
                                      std::to_string(++serial) + ".tif");
  TIFF* tif = TIFFOpen(path.string().c_str(), "w");
  if (tif == nullptr) return {};
  for (int page = 0; page < f.pages; ++page) {
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, f.width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, f.height);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, f.samples);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, f.bits);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, f.photometric);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, f.compression);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_ORIENTATION, f.orientation);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, f.rowsPerStrip);
    if (f.compression == COMPRESSION_JPEG) TIFFSetField(tif, TIFFTAG_JPEGQUALITY, 100);
    if (f.alpha != 0) {
      const std::uint16_t extra[] = {f.alpha};
      TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, extra);
    }
    if (f.photometric == PHOTOMETRIC_SEPARATED) TIFFSetField(tif, TIFFTAG_INKSET, f.inkSet);
    if (!f.palette.empty()) {
      const std::size_t n = f.palette.size() / 3;
      TIFFSetField(tif, TIFFTAG_COLORMAP, f.palette.data(), f.palette.data() + n, f.palette.data() + 2 * n);
    }
    if (f.xResolution > 0) {
      TIFFSetField(tif, TIFFTAG_XRESOLUTION, f.xResolution);
      TIFFSetField(tif, TIFFTAG_YRESOLUTION, f.yResolution);
      TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, f.resolutionUnit);
    }
    const std::uint64_t rowBytes = (std::uint64_t{f.width} * f.samples * f.bits + 7) / 8;
    for (std::uint32_t y = 0; y < f.height; ++y) {
      std::vector<std::uint8_t> row(rowBytes, 0);
      for (std::uint32_t x = 0; x < f.width; ++x)
        for (int c = 0; c < f.samples; ++c)
          tiff_detail::PutSample(row, std::uint64_t{x} * f.samples + c, f.bits,
                                 page == 0 ? f.sample(x, y, c) : 0);
      TIFFWriteScanline(tif, row.data(), y, 0);
    }
    TIFFWriteDirectory(tif);
  }
  TIFFClose(tif);
  std::ifstream in(path, std::ios::binary);
  std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  in.close();
  std::filesystem::remove(path);
  return bytes;
}

}  // namespace tarn::test
