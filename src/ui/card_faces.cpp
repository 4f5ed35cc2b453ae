#include "card_faces.h"

#include <QFile>
#include <QResource>
#include <cassert>
#include <csetjmp>
#include <cstdio>
// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

namespace morvel {

namespace {

// Faces are 280 x 328; anything far larger is a damaged header, not a card.
constexpr JDIMENSION kLargestSide = 4096;

// libjpeg scales by n/8 while it decodes.
constexpr unsigned kScaleDenominator = 8;

// The smallest n (1..8) for which n/8 of `width` x `height` covers `atLeast`; 8 when none does.
unsigned ScaleNumerator(JDIMENSION width, JDIMENSION height, QSize atLeast) {
    if (atLeast.isEmpty()) return kScaleDenominator;
    for (unsigned n = 1; n < kScaleDenominator; ++n) {
        // libjpeg rounds the scaled size up.
        const auto scaled = [n](JDIMENSION side) {
            return (side * n + kScaleDenominator - 1) / kScaleDenominator;
        };
        if (scaled(width) >= static_cast<JDIMENSION>(atLeast.width()) &&
            scaled(height) >= static_cast<JDIMENSION>(atLeast.height()))
            return n;
    }
    return kScaleDenominator;
}

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

// Only plain data lives in this frame, so leaving it by longjmp skips no destructor. With
// `headerOnly`, reads no further than the picture's size.
bool Decode(const unsigned char* data, unsigned long size, QSize atLeast, bool headerOnly,
            DecodedJpeg* result, ErrorManager* errors) {
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
    if (info.image_width > kLargestSide || info.image_height > kLargestSide) {
        std::snprintf(errors->message, sizeof errors->message, "picture of %ux%u is too large",
                      info.image_width, info.image_height);
        jpeg_destroy_decompress(&info);
        return false;
    }
    result->full = QSize(static_cast<int>(info.image_width), static_cast<int>(info.image_height));
    if (headerOnly) {
        jpeg_destroy_decompress(&info);
        return true;
    }
    // Straight into the layout Qt draws from, without a conversion.
    info.out_color_space = JCS_EXT_BGRA;
    info.scale_num = ScaleNumerator(info.image_width, info.image_height, atLeast);
    info.scale_denom = kScaleDenominator;
    jpeg_start_decompress(&info);
    QImage& image = result->image;
    image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                   QImage::Format_RGB32);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

QByteArray ReadFile(const QString& path, QString* error) {
    const QResource resource(path);
    if (resource.isValid() && resource.compressionAlgorithm() == QResource::NoCompression)
        return QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()),
                                       static_cast<qsizetype>(resource.size()));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error != nullptr) *error = file.errorString();
        return {};
    }
    return file.readAll();
}

namespace {

DecodedJpeg DecodeOrSize(const QByteArray& bytes, const QString& name, QSize atLeast,
                         bool headerOnly) {
    DecodedJpeg result;
    ErrorManager errors{};
    if (!Decode(reinterpret_cast<const unsigned char*>(bytes.constData()),
                static_cast<unsigned long>(bytes.size()), atLeast, headerOnly, &result, &errors)) {
        result.image = QImage();
        result.full = QSize();
        result.error = QStringLiteral("The card face %1 cannot be read: %2")
                           .arg(name, QString::fromLocal8Bit(errors.message));
    }
    return result;
}

}  // namespace

DecodedJpeg DecodeJpeg(const QByteArray& bytes, const QString& name, QSize atLeast) {
    return DecodeOrSize(bytes, name, atLeast, /*headerOnly=*/false);
}

Tcard::Tcard(const QString& directory, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Tcard"));
    for (int c = 1; c <= kFaceCount; ++c) {
        Source& face = faces_[c];
        face.path = QStringLiteral("%1/c%2.jpg").arg(directory).arg(c);
        QString missing;
        const QByteArray jpeg = ReadFile(face.path, &missing);
        if (!missing.isEmpty()) {
            if (error_.isEmpty())
                error_ = QStringLiteral("The card face %1 is missing: %2").arg(face.path, missing);
            continue;
        }
        // Pictures built into the program were checked whole by its tests, and cannot change
        // after it was built: their sizes suffice, and start-up stays short. Pictures read from
        // files are decoded whole at the smallest scale, which finds any damage in them.
        const bool builtIn = face.path.startsWith(QLatin1String(":/"));
        const DecodedJpeg check = DecodeOrSize(jpeg, face.path, QSize(1, 1), builtIn);
        if (!check.error.isEmpty()) {
            if (error_.isEmpty()) error_ = check.error;
            continue;
        }
        face.jpeg = jpeg;
        face.size = check.full;
    }
}

QSize Tcard::SourceSize(int c) const {
    assert(c >= 1 && c <= kFaceCount);
    return faces_[c].size;
}

QImage Tcard::Face(int c, QSize size) const {
    assert(c >= 1 && c <= kFaceCount);
    const Source& face = faces_[c];
    if (face.jpeg.isEmpty() || size.isEmpty()) return {};
    QImage image = DecodeJpeg(face.jpeg, face.path, size).image;
    if (image.isNull() || image.size() == size) return image;
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace morvel
