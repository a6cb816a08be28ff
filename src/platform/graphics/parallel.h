#pragma once
// Runs independent pieces of work on the shared thread pool. The calling thread works too and takes
// whatever no pool thread picked up, so a call made from a pool thread never waits on itself.
#include <functional>

namespace lumoria::platform {

// Calls body(i) once for every i in [0, count), spread over at most maxThreads threads (0 = all).
// The first exception thrown by a body is raised again here after every piece has ended.
void ParallelFor(int count, const std::function<void(int)>& body, int maxThreads = 0);

// The number of threads worth using for pixel work.
int PixelThreads();

} // namespace lumoria::platform

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <vector>

namespace lumoria::platform {

// Rows of pixels handed from one thread (the producer) to another (the consumer) in bands of rows,
// so that decoding and scaling a picture can run side by side with little memory between them.
class RowPipeline {
public:
    RowPipeline(std::size_t rowBytes, int rowsPerBand, int bands);

    // Producer: copies a row in; waits while every band is full. Ignored after Abort.
    void Put(const unsigned char* row);
    // Producer, without the copy: where the next row is to be written (waits while every band is
    // full), then Commit once it is there. Null after Abort.
    unsigned char* Slot();
    void Commit();
    // Producer: no more rows.
    void Close();
    // Consumer: the next row (valid until the next call), or null after the last row or an Abort.
    const unsigned char* Take();
    // Either side: stops both (the other side's waits end).
    void Abort();
    bool Aborted() const;

private:
    void Publish(std::unique_lock<std::mutex>& lock);

    std::size_t m_rowBytes;
    int m_rowsPerBand;
    std::vector<std::vector<unsigned char>> m_bands;
    std::vector<int> m_rows;          // rows held by each band
    std::deque<int> m_free;           // bands the producer may fill
    std::deque<int> m_ready;          // bands the consumer may read, in order
    int m_filling = -1;               // the band the producer fills now
    int m_reading = -1;               // the band the consumer reads now
    int m_readRow = 0;
    bool m_closed = false;
    bool m_aborted = false;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
};

} // namespace lumoria::platform
