#pragma once

namespace tessaro {

// Told about every change of the editor's level list, in the pairs a Qt list
// model needs: "about to" before the entries change, the other after.
// Positions count from 0. Every hook does nothing unless overridden.
class CcxLevelListObserver {
public:
    virtual ~CcxLevelListObserver() = default;

    virtual void entryAboutToBeInserted(int /*position*/) {}
    virtual void entryInserted(int /*position*/) {}
    virtual void entryAboutToBeRemoved(int /*position*/) {}
    virtual void entryRemoved(int /*position*/) {}
    // The text of one entry changed.
    virtual void entryChanged(int /*position*/) {}
    // The whole list is replaced.
    virtual void entriesAboutToBeReset() {}
    virtual void entriesReset() {}
};

} // namespace tessaro
