// The 52 card faces, decoded once at start-up with libjpeg and kept for the whole run.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <array>

namespace morvel {

struct DecodedJpeg {
    QImage image;   // null when decoding failed
    QString error;  // names the file and says what is wrong with it; empty on success
};

// Decodes JPEG bytes; `name` only serves the error message. A damaged or truncated picture is an
// error, not a grey card.
DecodedJpeg DecodeJpeg(const QByteArray& bytes, const QString& name);

// Holds the face pictures c1..c52 (c1..c13 diamonds, c14..c26 hearts, c27..c39 clubs, c40..c52
// spades, each suit starting with the ace). Never shown.
class Tcard : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kFaceCount = 52;

    // Reads c1.jpg .. c52.jpg from `directory` (the built-in pictures unless a test says
    // otherwise).
    explicit Tcard(const QString& directory = QStringLiteral(":/faces"), QWidget* parent = nullptr);

    const QPixmap& Face(int c) const;

    // Empty when every face decoded; otherwise a message naming the first file that did not.
    const QString& Error() const { return error_; }

  private:
    std::array<QPixmap, kFaceCount + 1> faces_;  // by face number, entry 0 unused
    QString error_;
};

}  // namespace morvel
