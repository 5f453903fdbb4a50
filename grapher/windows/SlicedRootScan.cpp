#include "windows/SlicedRootScan.h"

#include <QTimer>

#include <algorithm>

namespace {

constexpr qint32 MinSamplesPerSlice = 1;
constexpr qint32 MaxSamplesPerSlice = 1 << 20;

} // namespace

SlicedRootScan::SlicedRootScan(const FunctionProject &project, QObject *parent)
    : QObject(parent), m_scan(project), m_timer(new QTimer(this))
{
    m_timer->setInterval(0);
    connect(m_timer, &QTimer::timeout, this, &SlicedRootScan::runSlice);
}

SlicedRootScan::~SlicedRootScan() = default;

bool SlicedRootScan::isRunning() const { return m_timer->isActive(); }

bool SlicedRootScan::advanceOneSlice()
{
    QElapsedTimer clock;
    clock.start();
    const bool done = m_scan.advance(m_samplesPerSlice);
    // The next slice gets as many samples as fit into the slice time at the speed just seen.
    const qint64 spent = std::max<qint64>(clock.nsecsElapsed(), 1);
    const double next = double(m_samplesPerSlice) * double(m_sliceNanoseconds) / double(spent);
    m_samplesPerSlice = qint32(std::clamp(next, double(MinSamplesPerSlice), double(MaxSamplesPerSlice)));
    return done;
}

bool SlicedRootScan::start(int blockingMilliseconds, int sliceMilliseconds)
{
    m_sliceNanoseconds = qint64(std::max(0, sliceMilliseconds)) * 1000000;
    QElapsedTimer clock;
    clock.start();
    while (!m_scan.finished()) {
        if (advanceOneSlice())
            return true;
        if (clock.elapsed() >= blockingMilliseconds)
            break;
    }
    if (m_scan.finished())
        return true;
    m_timer->start();
    return false;
}

void SlicedRootScan::runSlice()
{
    const bool done = advanceOneSlice();
    emit progressed();
    if (done) {
        m_timer->stop();
        emit finished(false);
    }
}

void SlicedRootScan::cancel()
{
    if (!m_timer->isActive())
        return;
    m_timer->stop();
    emit finished(true);
}
