#include "CompletionSource.h"

void CompletionSource::start(const QString &fileName) {
    if (m_future.valid())
        return;
    // The thread gets its own copy of the name and touches nothing else.
    m_future = std::async(std::launch::async, [fileName] {
                   JavaClassList list;
                   QString error;
                   if (!JavaClassList::load(fileName, list, error))
                       return CompletionIndex();
                   return CompletionIndex::build(list);
               }).share();
}

const CompletionIndex *CompletionSource::index() const {
    return m_future.valid() ? &m_future.get() : nullptr;
}
