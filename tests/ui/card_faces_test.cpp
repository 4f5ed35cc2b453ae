// The card faces: every built-in face decodes, and a damaged one is reported by its file name
// instead of crashing or showing a blank card.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "card_faces.h"
#include "pictures.h"

using morvel::DecodeJpeg;
using morvel::Picture;

namespace {

QByteArray BuiltInFace(int c) {
    QFile file(QStringLiteral(":/faces/c%1.jpg").arg(c));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

}  // namespace

class CardFacesTest : public QObject {
    Q_OBJECT

  private slots:
    void everyBuiltInFaceDecodes() {
        const morvel::Tcard card;
        QCOMPARE(card.Error(), QString());
        for (int c = 1; c <= morvel::Tcard::kFaceCount; ++c) {
            QVERIFY2(!card.Face(c).isNull(), qPrintable(QString::number(c)));
            QVERIFY(card.Face(c).width() >= 60);
        }
        QVERIFY(!card.isVisible());
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
        QVERIFY(!card.Face(16).isNull());
        QVERIFY(card.Face(17).isNull());

        QFile::remove(dir.filePath("c17.jpg"));
        QFile::copy(":/faces/c17.jpg", dir.filePath("c17.jpg"));
        const morvel::Tcard second(dir.path());
        QVERIFY2(second.Error().contains("c30.jpg"), qPrintable(second.Error()));
    }

    void picturesResolveOnceAndBlankStaysEmpty() {
        const morvel::Tcard card;
        morvel::Pictures pictures;
        QVERIFY(pictures.Get(Picture::Face(5)).isNull());  // before the faces exist
        pictures.SetFaces(&card);
        QVERIFY(pictures.Get(Picture::Blank()).isNull());
        QCOMPARE(pictures.Get(Picture::Face(5)).cacheKey(), card.Face(5).cacheKey());
        const Picture art[] = {Picture::Back(1),    Picture::Back(6),    Picture::Pass(),
                               Picture::Chooser(1), Picture::Chooser(4), Picture::Turn(1),
                               Picture::Turn(4)};
        for (Picture p : art) {
            const QPixmap first = pictures.Get(p);
            QVERIFY(!first.isNull());
            QCOMPARE(pictures.Get(p).cacheKey(), first.cacheKey());
        }
        QVERIFY(pictures.Get(Picture::Back(1)).cacheKey() !=
                pictures.Get(Picture::Back(2)).cacheKey());
    }
};

QTEST_MAIN(CardFacesTest)
#include "card_faces_test.moc"
