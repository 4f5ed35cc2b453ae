#include "surface_prefault.h"

#include <QBackingStore>
#include <QEvent>
#include <QImage>
#include <QWidget>
#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace morvel {

SurfacePrefault::SurfacePrefault(QWidget& window) : window_(window) {
    window_.installEventFilter(this);
}

SurfacePrefault::~SurfacePrefault() {
    if (worker_.joinable()) worker_.join();
}

bool SurfacePrefault::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && (event->type() == QEvent::Show || event->type() == QEvent::Resize))
        Prefault();
    return QObject::eventFilter(watched, event);
}

void SurfacePrefault::Prefault() {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    QBackingStore* store = window_.backingStore();
    if (store == nullptr || !window_.isVisible() || window_.size().isEmpty()) return;
    // The size the window will paint at: drawing then finds the surface made.
    if (store->size() != window_.size()) store->resize(window_.size());
    QPaintDevice* device = store->paintDevice();
    if (device == nullptr || device->devType() != QInternal::Image) return;
    const auto* image = static_cast<const QImage*>(device);
    // Whole pages of it. The worker touches no byte itself: the kernel maps the pages, so the
    // window thread may draw into them meanwhile, and a surface dropped in between only makes
    // the call fail.
    constexpr std::uintptr_t kPage = 4096;
    const auto first = reinterpret_cast<std::uintptr_t>(image->constBits());
    const std::uintptr_t start = (first + kPage - 1) & ~(kPage - 1);
    const std::uintptr_t end =
        (first + static_cast<std::uintptr_t>(image->sizeInBytes())) & ~(kPage - 1);
    if (end <= start) return;
    if (worker_.joinable()) worker_.join();
    worker_ = std::thread([start, end] {
        madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE);
    });
#endif
}

}  // namespace morvel
