#pragma once
// Under a file-size limit (ulimit -f) a write past it sends SIGXFSZ, which ends the process
// before anything can be saved or cleaned up: Qt's settings lock at start-up, a project, the
// calculator's history, trevsolve's output. Every program ignores the signal first thing in
// main; such a write then fails with EFBIG and is reported like any other failed write.
void IgnoreFileSizeSignal();
