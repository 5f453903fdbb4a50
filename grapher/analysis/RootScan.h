#pragma once
// The search for the roots of f on [a, b]: with h = (b - a) / steps, f and f' are sampled at
// a - h and then at a, a + h, ..., b. A sample where f is exactly 0 is a root; every sign change
// of f is refined by the engine's root finder on (f, f'), and every sign change of f' (an
// extremum that may touch zero) by the root finder on (f', f''). A refined point counts only
// where f is defined and |f| < Acceptance; a point refined from a sign change of f counts also
// when f still changes sign within NeighbourUlps ulps either side of it and |f| there is at
// most Acceptance times the larger of 1 and the sample values |f| around it, as rounding
// alone exceeds the absolute bound for functions whose values are large (a pole is still
// dropped, as f there is huge against the samples, and so is a jump, where f is as large as
// they are). When the last step accepted nothing, b itself counts where |f(b)| < Acceptance.
//
// The scan can run at once (run) or in slices (advance), so that a window can show progress and
// stop it; both give the same roots in the same order. A long slice is shared among the
// processor's threads (RootScanChunks), again with the same roots in the same order.
#include <QVector>
#include <QtGlobal>

class Expression;
class FunctionProject;

class RootScan {
public:
    static constexpr double Acceptance = 1e-8;
    static constexpr int NeighbourUlps = 4;

    // The expressions must outlive the scan.
    RootScan(const Expression &f, const Expression &fPrime, const Expression &fSecond, double a, double b,
             qint32 steps);
    explicit RootScan(const FunctionProject &project);

    // Scans up to `samples` more sample points; true when the scan is complete.
    bool advance(qint32 samples);
    bool finished() const { return m_next > m_steps; }
    // How far the scan is, from 0 to 1.
    double progress() const;

    // The roots found so far, in scan order (ascending x).
    const QVector<double> &roots() const { return m_roots; }

    // The whole scan at once.
    static QVector<double> run(const FunctionProject &project);

private:
    // A chunk of another scan: samples first .. last, starting from the sample before first.
    RootScan(const Expression &f, const Expression &fPrime, const Expression &fSecond, double a, double h,
             qint32 first, qint32 last);

    void acceptIfRoot(double x);
    // For a point r refined from the sign change between the samples (xp, yp) and (x, y).
    void acceptIfSignChangeRoot(double r, double xp, double yp, double x, double y);
    // Scans the samples up to `end` in chunks on several threads when that pays; false when
    // they are left to this thread.
    bool advanceInChunks(qint32 end);
    void advanceOnThisThread(qint32 samples);
    // Once the whole scan (not a chunk) is complete: the check of b itself.
    bool finishScan();
    void acceptEndIfRoot();

    const Expression &m_f;
    const Expression &m_fPrime;
    const Expression &m_fSecond;
    double m_a;
    double m_b;
    double m_h = 0;
    qint32 m_steps = 0;
    qint32 m_next = 0;   // the next sample k (x = a + k*h); past m_steps when done
    // The previous sample: f and f' with their error codes.
    double m_x = 0, m_y = 0, m_d = 0;
    qint32 m_e = 0, m_de = 0;
    QVector<double> m_roots;
    bool m_onThisThreadOnly = false; // chunks, and the probe of a scan
    bool m_isChunk = false;
    bool m_endChecked = false;
};
