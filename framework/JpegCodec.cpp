// JPEG reading through libjpeg. libjpeg reports fatal errors through a callback that must
// not return; it jumps back to the decoder with longjmp, so the decoding function keeps
// no object with a destructor of its own between setjmp and the jump.

#include "framework/Bitmap.h"
#include "framework/Exceptions.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <jpeglib.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void JpegErrorExit(j_common_ptr info) {
    auto* err = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings (a premature end, say) are not worth a message; the picture is still shown.
extern "C" void JpegSilentMessage(j_common_ptr) {}

struct DecodeState {
    jpeg_decompress_struct info;
    ErrorManager err;
    QImage* image;
    const char* failure;
    unsigned char* row;
};

// Returns false with state->err.message or state->failure set.
bool DecodeInto(DecodeState* state, const unsigned char* data, unsigned long size) {
    jpeg_decompress_struct* info = &state->info;
    info->err = jpeg_std_error(&state->err.pub);
    state->err.pub.error_exit = JpegErrorExit;
    state->err.pub.output_message = JpegSilentMessage;
    state->err.message[0] = '\0';
    if (setjmp(state->err.jump)) {
        jpeg_destroy_decompress(info);
        return false;
    }
    jpeg_create_decompress(info);
    jpeg_mem_src(info, data, size);
    jpeg_read_header(info, TRUE);
    bool cmyk = info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK;
    bool gray = info->jpeg_color_space == JCS_GRAYSCALE;
    info->out_color_space = cmyk ? JCS_CMYK : gray ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(info);
    int64_t w = info->output_width;
    int64_t h = info->output_height;
    if (w <= 0 || h <= 0 || w > GraphicCodecs::MaxSide || h > GraphicCodecs::MaxSide ||
        w * h > GraphicCodecs::MaxPixels) {
        state->failure = "图片的大小超出范围";
        jpeg_destroy_decompress(info);
        return false;
    }
    *state->image = QImage(static_cast<int>(w), static_cast<int>(h), QImage::Format_BGR888);
    state->row = static_cast<unsigned char*>(
        (*info->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE,
                                   static_cast<JDIMENSION>(w * info->output_components), 1)[0]);
    if (state->image->isNull()) {
        state->failure = "内存不足，放不下这张图片";
        jpeg_destroy_decompress(info);
        return false;
    }
    while (info->output_scanline < info->output_height) {
        int y = static_cast<int>(info->output_scanline);
        JSAMPROW rows[1] = {state->row};
        jpeg_read_scanlines(info, rows, 1);
        unsigned char* dst = state->image->scanLine(y);
        const unsigned char* src = state->row;
        for (int64_t x = 0; x < w; ++x, dst += 3) {
            if (gray) {
                dst[0] = dst[1] = dst[2] = src[x];
            } else if (cmyk) {
                // Adobe writes inverted CMYK: each channel times K gives the colour.
                const unsigned char* p = src + 4 * x;
                dst[0] = static_cast<unsigned char>(p[2] * p[3] / 255);
                dst[1] = static_cast<unsigned char>(p[1] * p[3] / 255);
                dst[2] = static_cast<unsigned char>(p[0] * p[3] / 255);
            } else {
                const unsigned char* p = src + 3 * x;
                dst[0] = p[2];
                dst[1] = p[1];
                dst[2] = p[0];
            }
        }
    }
    jpeg_finish_decompress(info);
    jpeg_destroy_decompress(info);
    return true;
}

} // namespace

namespace GraphicCodecs {

QImage DecodeJpeg(const QByteArray& data, const QString& source) {
    QImage image;
    DecodeState state;
    std::memset(&state, 0, sizeof state);
    state.image = &image;
    if (data.isEmpty() ||
        !DecodeInto(&state, reinterpret_cast<const unsigned char*>(data.constData()),
                    static_cast<unsigned long>(data.size()))) {
        QString reason = data.isEmpty()  ? QStringLiteral("文件是空的")
                         : state.failure ? QString::fromUtf8(state.failure)
                                         : QString::fromLocal8Bit(state.err.message);
        throw EInvalidGraphic(QStringLiteral("JPEG 图片“%1”无效：%2").arg(source, reason));
    }
    return image;
}

} // namespace GraphicCodecs
