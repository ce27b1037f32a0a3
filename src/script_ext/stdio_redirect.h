// Where a script's sys.stdout and sys.stderr go: one ring, shared by every redirect object, that
// keeps the last 100 writes whatever their lengths. The ring reaches the host's log only when a
// script fails (embedding.cpp).
#pragma once

#include <boost/circular_buffer.hpp>

#include <cstddef>
#include <string>

class PythonStdIoRedirect {
  public:
    static constexpr size_t kRingCapacity = 100;

    // Python's `write`: one entry per call; the oldest entry goes when the ring is full.
    void Write(const std::string& text);
    // Python's `flush`: the ring has nothing to flush; there for code that flushes sys.stdout.
    void Flush() {}

    // Every kept entry, oldest first; empties the ring.
    static std::string TakeOutput();

  private:
    static boost::circular_buffer<std::string> outputRing;
};

namespace kestrova::script {

// The log form of kept output: every line ends in "\r\n". A last line without its "\n" is kept and
// ended too, so nothing the script wrote before failing is dropped.
std::string WithCrLfLineEnds(const std::string& text);

}  // namespace kestrova::script
