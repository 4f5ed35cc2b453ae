// The 52 card faces: their JPEG pictures, sized up at start-up and decoded with libjpeg at the
// size the table draws them.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QWidget>
#include <array>

namespace morvel {

// The bytes of a file; a built-in one is read where it lies in the program, without a copy.
// Empty, with `error` set, when the file cannot be read.
QByteArray ReadFile(const QString& path, QString* error = nullptr);

struct DecodedJpeg {
    QImage image;   // null when decoding failed
    QSize full;     // the picture's own size, before any scaling
    QString error;  // names the file and says what is wrong with it; empty on success
};

// Decodes JPEG bytes; `name` only serves the error message. A damaged or truncated picture is an
// error, not a grey card. With `atLeast`, libjpeg decodes at the smallest of its scales (n/8 of
// the picture) that gives at least that size, or at full size when none does.
DecodedJpeg DecodeJpeg(const QByteArray& bytes, const QString& name, QSize atLeast = {});

// Holds the face pictures c1..c52 (c1..c13 diamonds, c14..c26 hearts, c27..c39 clubs, c40..c52
// spades, each suit starting with the ace). Never shown.
class Tcard : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kFaceCount = 52;

    // Reads c1.jpg .. c52.jpg from `directory` (the built-in pictures unless a test says
    // otherwise). Pictures from files are checked whole; built-in ones, which the tests decode
    // whole, only for their size.
    explicit Tcard(const QString& directory = QStringLiteral(":/faces"), QWidget* parent = nullptr);

    // Face c at exactly `size` pixels, never enlarged from a smaller decoding than the picture
    // has; null when the face did not decode.
    QImage Face(int c, QSize size) const;
    // The size of face c's picture (empty when it did not decode).
    QSize SourceSize(int c) const;

    // Empty when every face decoded; otherwise a message naming the first file that did not.
    const QString& Error() const { return error_; }

  private:
    struct Source {
        QByteArray jpeg;  // empty when the face is missing or damaged
        QSize size;
        QString path;
    };
    std::array<Source, kFaceCount + 1> faces_;  // by face number, entry 0 unused
    QString error_;
};

}  // namespace morvel
