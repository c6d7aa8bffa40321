#pragma once
// What every benchmark shares: the data set in a folder given on the command
// line (made there once, reused by later runs), timing, and the one form of
// a result line, `<figure>: <value> ms`, with the bare baseline of the same
// work and the ratio.
#include <QString>
#include <atomic>
#include <functional>
#include <thread>

struct sqlite3;

namespace Bench {

struct DataSetSize {
    int customers = 100000;
    int invoices = 300000;   // a third of them unpaid
    int lines = 1000000;
    int items = 10000;
};

// The data folder from the first argument; a usage message and exit when none.
QString dataFolder(int argc, char** argv, const char* program);

// Makes `name` (a database file of ours) in the folder with a data set of
// that size, unless a complete one is already there, and returns its path.
QString dataSet(const QString& folder, const QString& name = "data.mdb", const DataSetSize& size = {});

// A copy of the data set in a temporary folder of its own, for benchmarks
// that write: the data set itself stays as it was made. Removed at exit.
QString scratchCopy(const QString& databasePath);

// Points the program folder at the folder of the data set, opens both
// connections on it and loads its settings row.
void openProgramOn(const QString& databasePath);
void closeProgram();

// The median of `runs` timings of the work, in milliseconds.
double medianMs(int runs, const std::function<void()>& work);

// A second, bare connection on the same file, for the baselines.
sqlite3* bareConnection(const QString& databasePath);
// A bare sqlite3 loop: prepares once, steps through every row and touches
// each column's value. The rows stepped are added to *rows when given.
double bareLoopMs(sqlite3* db, const char* sql, long long* rows = nullptr);
// The sqlite3 command line over the same file with the given dot commands
// and query, its output thrown away (or written where the commands say).
// Negative when the command line is not installed.
double commandLineMs(const QString& databasePath, const QString& script);

// One result line: "<figure>: <value> ms  (bare: <baseline> ms, ratio <r>)".
void report(const QString& figure, double ms, double baselineMs = -1);

// What the process holds in memory, as the kernel counts it: the heap (its
// anonymous resident pages, what it allocated itself) apart from the resident
// pages of the database files it maps, which the kernel reads in on demand and
// may drop again at will.
struct Memory {
    double heapMiB = 0;
    double mappedDataMiB = 0;
};
Memory memoryNow();

// The largest heap since it was made, sampled every few milliseconds by a
// thread of its own.
class HeapPeak {
public:
    HeapPeak();
    ~HeapPeak();
    HeapPeak(const HeapPeak&) = delete;
    HeapPeak& operator=(const HeapPeak&) = delete;
    double peakMiB() const { return double(peakKiB_.load()) / 1024; }

private:
    std::atomic<long long> peakKiB_{0};
    std::atomic<bool> stop_{false};
    std::thread sampler_;
};

// One memory line: "<figure>: heap <h> MiB, mapped database pages <m> MiB".
void reportMemory(const QString& figure, const Memory& memory);

}  // namespace Bench
