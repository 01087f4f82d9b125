#include "image/JpegCompress.h"

#include <csetjmp>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

#include "image/JpegRowSource.h"

namespace tarn {
namespace {

// libjpeg's own error exit ends the process; a full disk must only end this file.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf escape;
};

void ErrorExit(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->escape, 1); }
// Warnings and traces go nowhere: the writer runs on its own thread and has no one to tell.
void Silent(j_common_ptr) {}

// Kept apart from CompressJpeg so that no object with a destructor lives between setjmp and the
// longjmp that may return to it.
int Compress(jpeg_compress_struct& cinfo, ErrorManager& error, std::FILE* file, JpegRowSource& rows, int quality) {
  if (setjmp(error.escape) != 0) {
    jpeg_destroy_compress(&cinfo);
    return kJpegFailed;
  }
  jpeg_CreateCompress(&cinfo, JPEG_LIB_VERSION, sizeof(jpeg_compress_struct));
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  if (rows.DensityX() > 0) {
    cinfo.density_unit = 2;
    cinfo.X_density = static_cast<UINT16>(rows.DensityX());
    cinfo.Y_density = static_cast<UINT16>(rows.DensityY());
  }
  cinfo.image_width = static_cast<JDIMENSION>(rows.Width());
  cinfo.image_height = static_cast<JDIMENSION>(rows.Height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  cinfo.data_precision = 8;
  jpeg_default_colorspace(&cinfo);
  jpeg_stdio_dest(&cinfo, file);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rows.NextRow());
    if (row == nullptr) break;
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return kJpegWritten;
}

}  // namespace

int CompressJpeg(std::FILE* file, const std::uint8_t* info, std::size_t infoSize, const std::uint8_t* bits,
                 std::size_t bitsSize, int quality) {
  JpegRowSource rows;
  if (const int ready = rows.Setup(info, infoSize, bits, bitsSize); ready != kRowSourceReady) return ready;
  jpeg_compress_struct cinfo{};
  ErrorManager error{};
  cinfo.err = jpeg_std_error(&error.pub);
  error.pub.error_exit = ErrorExit;
  error.pub.output_message = Silent;
  return Compress(cinfo, error, file, rows, quality < 0 ? 0 : quality > 100 ? 100 : quality);
}

}  // namespace tarn
