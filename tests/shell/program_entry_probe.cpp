// A start of line without its window, for the tests of the start-up: runs the program entry
// with its own arguments and the instance key in TREV_TEST_INSTANCE_KEY, prints the outcome
// (and for a hand-over the milliseconds it took), and as the first instance stays until killed.
#include "shell/ProgramEntry.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    // A full application object, as line makes one before it looks for a running instance.
    QApplication app(argc, argv);
    ProgramEntry entry(QCoreApplication::arguments().mid(1), qEnvironmentVariable("TREV_TEST_INSTANCE_KEY"));
    QElapsedTimer timer;
    timer.start();
    const ProgramEntry::Outcome outcome = entry.run();
    const char *names[] = {"association-removed", "association-written", "handed-over", "no-answer", "first", "refused"};
    std::printf("%s %lld\n", names[int(outcome)], static_cast<long long>(timer.elapsed()));
    std::fflush(stdout);
    if (outcome == ProgramEntry::Outcome::Refused)
        return ProgramEntry::ReportRefusal(entry.refusal());
    return outcome == ProgramEntry::Outcome::FirstInstance ? app.exec() : 0;
}
