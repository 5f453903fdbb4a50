#pragma once
// A root scan run in slices on the user-interface thread, so that a long one leaves the window
// responsive. start() scans at once for up to a blocking time: a scan that ends within it is
// over when start() returns, as if it were synchronous. A longer one goes on from the event
// loop in slices of about a slice time each, reports after every slice, and can be cancelled
// between two slices; the roots found until then stay available.
//
// The number of samples of a slice follows the measured speed of the function, so a slice
// lasts about the slice time whatever f costs. The project's expressions must outlive the run.
#include "analysis/RootScan.h"

#include <QElapsedTimer>
#include <QObject>
#include <QVector>

class FunctionProject;
class QTimer;

class SlicedRootScan : public QObject {
    Q_OBJECT
public:
    static constexpr int BlockingMilliseconds = 500;
    static constexpr int SliceMilliseconds = 20;

    explicit SlicedRootScan(const FunctionProject &project, QObject *parent = nullptr);
    ~SlicedRootScan() override;

    // Scans for up to `blockingMilliseconds` at once; true when the scan ended in that time.
    // Otherwise the rest runs in slices of about `sliceMilliseconds` (0: one sample each).
    bool start(int blockingMilliseconds = BlockingMilliseconds, int sliceMilliseconds = SliceMilliseconds);
    // Stops between two slices and reports finished(true).
    void cancel();

    bool isRunning() const;
    double progress() const { return m_scan.progress(); }
    // The roots found so far, in scan order.
    const QVector<double> &roots() const { return m_scan.roots(); }

signals:
    // After each slice run from the event loop: progress and roots may have grown.
    void progressed();
    // The slices from the event loop are over: the scan ended, or was cancelled.
    void finished(bool cancelled);

private:
    void runSlice();
    // One slice of about m_sliceNanoseconds; true when the scan is complete.
    bool advanceOneSlice();

    RootScan m_scan;
    QTimer *m_timer;
    qint64 m_sliceNanoseconds = 0;
    qint32 m_samplesPerSlice = 32;
};
