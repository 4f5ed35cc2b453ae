#include "pictures.h"

#include <QDebug>
#include <QImageReader>
#include <chrono>
#include <future>

#include "card_faces.h"

namespace morvel {

QImage ReadPng(const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

namespace {

// Enough for every card of the table at the sizes a large screen draws them (a slot asks again
// for a picture the cache has let go).
constexpr int kCacheKilobytes = 32 * 1024;

int KeyOf(Picture picture) {
    return static_cast<int>(picture.kind) * 256 + picture.index;
}

// A drawing as built in, read when a size of it is first wanted: the large drawings are not
// kept, only the sizes made of them.
QImage Art(Picture picture) {
    const int n = picture.index;
    QString path;
    switch (picture.kind) {
        case Picture::Kind::Blank:
        case Picture::Kind::Face:
            return {};
        case Picture::Kind::Back:
            path = QStringLiteral(":/art/back%1.png").arg(n);
            break;
        case Picture::Kind::Pass:
            path = QStringLiteral(":/art/pass.png");
            break;
        case Picture::Kind::Chooser:
            path = QStringLiteral(":/art/king%1.png").arg(n);
            break;
        case Picture::Kind::Turn:
            path = QStringLiteral(":/art/hand%1.png").arg(n);
            break;
    }
    QImage image = ReadPng(path);
    if (image.isNull()) qWarning() << "morvel: cannot load the picture" << path;
    return image;
}

quint64 CacheKey(Picture picture, QSize size) {
    return (static_cast<quint64>(KeyOf(picture)) << 32) |
           (static_cast<quint64>(size.width() & 0xFFFF) << 16) |
           static_cast<quint64>(size.height() & 0xFFFF);
}

}  // namespace

// One picture made on a worker, or by the window thread when it takes the job back unstarted.
class Pictures::Job : public QRunnable {
  public:
    Job(const Pictures& pictures, Picture picture, QSize size)
        : pictures_(pictures), picture_(picture), size_(size), made_(promise_.get_future()) {
        setAutoDelete(false);
    }
    void run() override { promise_.set_value(pictures_.Make(picture_, size_)); }
    bool Finished() const {
        return made_.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    }
    QImage Take() { return made_.get(); }

  private:
    const Pictures& pictures_;
    Picture picture_;
    QSize size_;
    std::promise<QImage> promise_;
    std::future<QImage> made_;
};

Pictures::Pictures() : sized_(kCacheKilobytes) {}

Pictures::~Pictures() {
    WaitForWork();
}

void Pictures::WaitForWork() const {
    workers_.waitForDone();
    pending_.clear();
}

QImage Pictures::Make(Picture picture, QSize size) const {
    QImage image;
    if (picture.kind == Picture::Kind::Face) {
        if (faces_ == nullptr || picture.index < 1 || picture.index > Tcard::kFaceCount) return {};
        image = faces_->Face(picture.index, size);
    } else {
        image = Art(picture);
        if (!image.isNull() && image.size() != size)
            image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return image;
}

void Pictures::Prefetch(Picture picture, QSize size) const {
    if (picture.kind == Picture::Kind::Blank || size.isEmpty()) return;
    KeepFinished();
    const quint64 key = CacheKey(picture, size);
    if (sized_.contains(key) || pending_.contains(key)) return;
    auto job = std::make_shared<Job>(*this, picture, size);
    pending_.insert(key, job);
    workers_.start(job.get());
}

QPixmap Pictures::Get(Picture picture, QSize size) const {
    if (picture.kind == Picture::Kind::Blank || size.isEmpty()) return {};
    const quint64 key = CacheKey(picture, size);
    if (const QPixmap* cached = sized_.object(key)) return *cached;

    QImage image;
    if (const std::shared_ptr<Job> job = pending_.take(key)) {
        if (workers_.tryTake(job.get())) job->run();
        image = job->Take();
    } else {
        image = Make(picture, size);
    }
    KeepFinished();
    return Keep(key, std::move(image));
}

QPixmap Pictures::Keep(quint64 key, QImage image) const {
    if (image.isNull()) return {};
    auto* pixmap = new QPixmap(QPixmap::fromImage(std::move(image)));
    const QPixmap result = *pixmap;
    sized_.insert(key, pixmap, std::max(1, result.width() * result.height() * 4 / 1024));
    return result;
}

// Pictures made ahead that nobody has asked for yet (a slot's size changed meanwhile) go to the
// cache, which bounds them, rather than stay with their jobs.
void Pictures::KeepFinished() const {
    for (auto it = pending_.begin(); it != pending_.end();) {
        if (!(*it)->Finished()) {
            ++it;
            continue;
        }
        Keep(it.key(), (*it)->Take());
        it = pending_.erase(it);
    }
}

}  // namespace morvel
