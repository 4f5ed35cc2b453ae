// The card faces: every built-in face decodes, and a damaged one is reported by its file name
// instead of crashing or showing a blank card.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "card_faces.h"
#include "pictures.h"
#include "ui_test_main.h"

using morvel::DecodeJpeg;
using morvel::Picture;

namespace {

QByteArray BuiltInFace(int c) {
    QFile file(QStringLiteral(":/faces/c%1.jpg").arg(c));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

const QSize kHandCard(70, 82);

// How much a picture changes from pixel to pixel: a sharp picture changes more than the same
// picture enlarged from a smaller one.
qint64 Detail(const QImage& image) {
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    qint64 sum = 0;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* row = grey.constScanLine(y);
        for (int x = 1; x < grey.width(); ++x)
            sum += std::abs(row[x] - row[x - 1]);
    }
    return sum;
}

}  // namespace

class CardFacesTest : public QObject {
    Q_OBJECT

  private slots:
    void everyBuiltInFaceDecodes() {
        const morvel::Tcard card;
        QCOMPARE(card.Error(), QString());
        for (int c = 1; c <= morvel::Tcard::kFaceCount; ++c) {
            // Start-up reads only their sizes: here each is decoded whole, once.
            QCOMPARE(DecodeJpeg(BuiltInFace(c), "c").error, QString());
            QCOMPARE(card.Face(c, kHandCard).size(), kHandCard);
            // Sharp when the table is drawn three times as large.
            QVERIFY(card.SourceSize(c).width() >= 3 * kHandCard.width());
            QVERIFY(card.SourceSize(c).height() >= 3 * kHandCard.height());
        }
        QVERIFY(!card.isVisible());
    }

    // libjpeg decodes at n/8 of the picture: the smallest that covers the size asked for.
    void decodingScalesToTheSmallestSizeThatCovers() {
        const QByteArray face = BuiltInFace(12);  // 280 x 328
        auto decoded = [&](QSize atLeast) { return DecodeJpeg(face, "c12", atLeast).image.size(); };
        QCOMPARE(decoded(QSize(1, 1)), QSize(35, 41));
        QCOMPARE(decoded(QSize(35, 40)), QSize(35, 41));
        QCOMPARE(decoded(kHandCard), QSize(70, 82));
        QCOMPARE(decoded(QSize(71, 82)), QSize(105, 123));
        QCOMPARE(decoded(QSize(70, 124)), QSize(140, 164));
        QCOMPARE(decoded(QSize(500, 600)), QSize(280, 328));
        QCOMPARE(decoded(QSize()), QSize(280, 328));
        QCOMPARE(DecodeJpeg(face, "c12", QSize(70, 82)).full, QSize(280, 328));
    }

    // A large card comes from the large picture, not from the small one enlarged.
    void largeFacesAreSharp() {
        const morvel::Tcard card;
        const QSize large = kHandCard * 3;
        const QImage sharp = card.Face(12, large);
        const QImage enlarged =
            card.Face(12, kHandCard).scaled(large, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QCOMPARE(sharp.size(), large);
        QVERIFY2(Detail(sharp) > Detail(enlarged) * 3 / 2,
                 qPrintable(QString("%1 vs %2").arg(Detail(sharp)).arg(Detail(enlarged))));
        // At its own size a face is the picture itself.
        QCOMPARE(card.Face(12, card.SourceSize(12)), DecodeJpeg(BuiltInFace(12), "c12").image);
    }

    void damagedPicturesNameTheirFile_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = BuiltInFace(1);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not a JPEG") << QByteArray("GIF89a not a jpeg at all");
        QTest::newRow("truncated") << good.left(good.size() / 2);
        QByteArray scrambled = good;
        for (qsizetype i = scrambled.size() / 3; i < scrambled.size() - 2; i += 7)
            scrambled[i] = static_cast<char>(0xFF);
        QTest::newRow("scrambled") << scrambled;
        QTest::newRow("header only") << good.left(20);
    }

    void damagedPicturesNameTheirFile() {
        QFETCH(QByteArray, bytes);
        const morvel::DecodedJpeg decoded = DecodeJpeg(bytes, "faces/c7.jpg");
        QVERIFY(decoded.image.isNull());
        QVERIFY2(decoded.error.contains("faces/c7.jpg"), qPrintable(decoded.error));
    }

    void startUpReportsTheFirstBrokenFace() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (int c = 1; c <= morvel::Tcard::kFaceCount; ++c) {
            if (c == 30) continue;  // missing
            QFile file(dir.filePath(QStringLiteral("c%1.jpg").arg(c)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(c == 17 ? QByteArray("broken") : BuiltInFace(c));
        }
        const morvel::Tcard card(dir.path());
        QVERIFY2(card.Error().contains("c17.jpg"), qPrintable(card.Error()));
        QVERIFY(!card.Face(16, kHandCard).isNull());
        QVERIFY(card.Face(17, kHandCard).isNull());

        QFile::remove(dir.filePath("c17.jpg"));
        QFile::copy(":/faces/c17.jpg", dir.filePath("c17.jpg"));
        const morvel::Tcard second(dir.path());
        QVERIFY2(second.Error().contains("c30.jpg"), qPrintable(second.Error()));
    }

    void picturesAreMadeOncePerSize() {
        const morvel::Tcard card;
        morvel::Pictures pictures;
        QVERIFY(pictures.Get(Picture::Face(5), kHandCard).isNull());  // before the faces exist
        pictures.SetFaces(&card);
        QVERIFY(pictures.Get(Picture::Blank(), kHandCard).isNull());
        QVERIFY(pictures.Get(Picture::Face(5), QSize()).isNull());
        const Picture all[] = {Picture::Face(5), Picture::Back(1),    Picture::Back(6),
                               Picture::Pass(),  Picture::Chooser(1), Picture::Chooser(4),
                               Picture::Turn(1), Picture::Turn(4)};
        for (Picture p : all) {
            for (QSize size : {kHandCard, QSize(35, 40), QSize(161, 189), QSize(329, 385)}) {
                const QPixmap first = pictures.Get(p, size);
                QCOMPARE(first.size(), size);
                QCOMPARE(pictures.Get(p, size).cacheKey(), first.cacheKey());
            }
            QVERIFY(pictures.Get(p, kHandCard).cacheKey() !=
                    pictures.Get(p, kHandCard * 2).cacheKey());
        }
        QVERIFY(pictures.Get(Picture::Back(1), kHandCard).cacheKey() !=
                pictures.Get(Picture::Back(2), kHandCard).cacheKey());
    }

    // Made ahead on the workers, a picture is the one made on demand, taken once and then kept;
    // one made ahead and never asked for is kept too, and asked for later it is that one.
    void picturesMadeAheadAreThePicturesMadeOnDemand() {
        const morvel::Tcard card;
        morvel::Pictures ahead;
        morvel::Pictures onDemand;
        ahead.SetFaces(&card);
        onDemand.SetFaces(&card);
        const Picture some[] = {Picture::Face(7), Picture::Face(52), Picture::Back(3),
                                Picture::Chooser(2)};
        for (Picture p : some)
            ahead.Prefetch(p, kHandCard * 2);
        ahead.Prefetch(Picture::Blank(), kHandCard);
        ahead.Prefetch(Picture::Face(9), QSize());
        for (Picture p : some) {
            const QPixmap made = ahead.Get(p, kHandCard * 2);
            QCOMPARE(made.toImage(), onDemand.Get(p, kHandCard * 2).toImage());
            QCOMPARE(ahead.Get(p, kHandCard * 2).cacheKey(), made.cacheKey());
            ahead.Prefetch(p, kHandCard * 2);  // kept: nothing to make
        }
        ahead.Prefetch(Picture::Face(8), kHandCard);
        QTest::qWait(50);                        // time for a worker to finish it
        ahead.Get(Picture::Face(1), kHandCard);  // keeps what the workers have finished
        QCOMPARE(ahead.Get(Picture::Face(8), kHandCard).toImage(),
                 onDemand.Get(Picture::Face(8), kHandCard).toImage());
    }

    // The drawings are made four times as large as they are designed to be shown.
    void drawingsAreLargeEnoughToScale() {
        const std::pair<QString, QSize> shown[] = {
            {"back1", {60, 84}}, {"back2", {56, 81}}, {"back6", {56, 82}},   {"king1", {60, 46}},
            {"hand1", {30, 30}}, {"pass", {25, 33}},  {"icon-128", {32, 32}}};
        for (const auto& [name, size] : shown) {
            const QImage art(QStringLiteral(":/art/%1.png").arg(name));
            QVERIFY2(art.width() >= 3 * size.width() && art.height() >= 3 * size.height(),
                     qPrintable(name));
        }
    }
};

MORVEL_UI_TEST(CardFacesTest)
#include "card_faces_test.moc"
