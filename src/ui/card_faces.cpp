#include "card_faces.h"

#include <QFile>
#include <cassert>
#include <csetjmp>
#include <cstdio>
// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

namespace morvel {

namespace {

// Faces are about 140 x 164; anything far larger is a damaged header, not a card.
constexpr JDIMENSION kLargestSide = 4096;

struct ErrorManager {
    jpeg_error_mgr base;  // first, so libjpeg's pointer to it also points to the whole
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void FailDecoding(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    errors->base.format_message(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// libjpeg only warns about a damaged stream and fills the rest with grey; a face must be whole.
void FailOnWarning(j_common_ptr info, int level) {
    if (level < 0) FailDecoding(info);
}

// Only plain data lives in this frame, so leaving it by longjmp skips no destructor.
bool Decode(const unsigned char* data, unsigned long size, QImage* image, ErrorManager* errors) {
    jpeg_decompress_struct info;
    info.err = jpeg_std_error(&errors->base);
    errors->base.error_exit = FailDecoding;
    errors->base.emit_message = FailOnWarning;
    if (setjmp(errors->jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, const_cast<unsigned char*>(data), size);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_width > kLargestSide || info.output_height > kLargestSide) {
        std::snprintf(errors->message, sizeof errors->message, "picture of %ux%u is too large",
                      info.output_width, info.output_height);
        jpeg_destroy_decompress(&info);
        return false;
    }
    *image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                    QImage::Format_RGB888);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image->scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

DecodedJpeg DecodeJpeg(const QByteArray& bytes, const QString& name) {
    DecodedJpeg result;
    ErrorManager errors{};
    if (!Decode(reinterpret_cast<const unsigned char*>(bytes.constData()),
                static_cast<unsigned long>(bytes.size()), &result.image, &errors)) {
        result.image = QImage();
        result.error = QStringLiteral("The card face %1 cannot be read: %2")
                           .arg(name, QString::fromLocal8Bit(errors.message));
    }
    return result;
}

Tcard::Tcard(const QString& directory, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Tcard"));
    for (int c = 1; c <= kFaceCount; ++c) {
        const QString path = QStringLiteral("%1/c%2.jpg").arg(directory).arg(c);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            if (error_.isEmpty()) {
                error_ =
                    QStringLiteral("The card face %1 is missing: %2").arg(path, file.errorString());
            }
            continue;
        }
        DecodedJpeg decoded = DecodeJpeg(file.readAll(), path);
        if (!decoded.error.isEmpty()) {
            if (error_.isEmpty()) error_ = decoded.error;
            continue;
        }
        faces_[c] = QPixmap::fromImage(decoded.image);
    }
}

const QPixmap& Tcard::Face(int c) const {
    assert(c >= 1 && c <= kFaceCount);
    return faces_[c];
}

}  // namespace morvel
