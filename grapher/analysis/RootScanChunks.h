#pragma once
// How the root and extrema scans share their samples among the processor's threads: the
// samples after a short probe are split into contiguous chunks, one per thread (at most
// MaxThreads), when the probe says the rest takes longer than about MinParallelNanoseconds.
// Each chunk works on its own copies of the expressions and evaluates the sample just before
// its first one, so the scan's result is the one a single thread gets.
#include <QtGlobal>

#include <functional>

class RootScanChunks {
public:
    static constexpr int MaxThreads = 8;
    static constexpr qint64 MinParallelNanoseconds = 2000000;
    // Samples scanned on the calling thread first, to measure what one costs.
    static constexpr qint64 ProbeSamples = 64;

    // How many chunks the `remaining` samples should go into, given that the probe took
    // `probeNanoseconds` for ProbeSamples samples: 1 means scanning them on this thread.
    static int chunkCount(qint64 remaining, qint64 probeNanoseconds);
    // The first sample of chunk `index` when `count` samples from `first` go into `chunks` chunks.
    static qint64 chunkStart(qint64 first, qint64 count, int chunks, int index)
    {
        return first + count * index / chunks;
    }
    // Runs work(i) for i = 0 .. chunks - 1, chunk 0 on the calling thread, the others each on a
    // thread of its own; returns when all are done.
    static void run(int chunks, const std::function<void(int)> &work);

    // A fixed number of chunks whatever the cost (tests and benchmarks); 0 restores the choice
    // by hardware threads and probe time.
    static void setFixedChunkCount(int chunks);
};
