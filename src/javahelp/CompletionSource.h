#pragma once

#include "CompletionIndex.h"

#include <QString>

#include <future>

// The completion index of the class list file, read and built once on a thread of its own so
// that start-up and the first Ctrl+Space do not pay for it. A file that cannot be read gives
// an empty index: completion then offers keywords and the words of the text.
class CompletionSource {
public:
    CompletionSource() = default;
    CompletionSource(const CompletionSource &) = delete;
    CompletionSource &operator=(const CompletionSource &) = delete;

    // Starts reading and indexing `fileName`; later calls do nothing.
    void start(const QString &fileName);
    // Whether start was called.
    bool started() const { return m_future.valid(); }
    // The index, waiting for the build when it is not done yet; nullptr before start.
    const CompletionIndex *index() const;

private:
    std::shared_future<CompletionIndex> m_future;
};
