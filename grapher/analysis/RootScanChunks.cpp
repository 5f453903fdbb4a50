#include "analysis/RootScanChunks.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

namespace {

std::atomic<int> g_fixedChunkCount{0};

} // namespace

int RootScanChunks::chunkCount(qint64 remaining, qint64 probeNanoseconds)
{
    if (remaining < 2)
        return 1;
    const int fixed = g_fixedChunkCount.load();
    if (fixed > 0)
        return int(std::min<qint64>(fixed, remaining));
    const double estimate = double(probeNanoseconds) / double(ProbeSamples) * double(remaining);
    if (estimate < double(MinParallelNanoseconds))
        return 1;
    const int threads = int(std::min<unsigned>(std::thread::hardware_concurrency(), MaxThreads));
    return std::max(1, int(std::min<qint64>(threads, remaining)));
}

void RootScanChunks::run(int chunks, const std::function<void(int)> &work)
{
    std::vector<std::thread> threads;
    std::vector<int> onThisThread{0};
    for (int i = 1; i < chunks; ++i) {
        try {
            threads.emplace_back(work, i);
        } catch (const std::system_error &) {
            onThisThread.push_back(i); // no thread to be had: the work is done all the same
        }
    }
    for (int i : onThisThread)
        work(i);
    for (std::thread &thread : threads)
        thread.join();
}

void RootScanChunks::setFixedChunkCount(int chunks) { g_fixedChunkCount.store(std::max(0, chunks)); }
