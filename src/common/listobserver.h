#pragma once

namespace tessaro {

// Told about every change of a model's list, in the pairs a Qt item model
// needs: "about to" before the rows change, the other after. Rows count from
// 0 and first..last is inclusive. Every hook does nothing unless overridden.
class ListObserver {
public:
    virtual ~ListObserver() = default;

    virtual void rowsAboutToBeInserted(int /*first*/, int /*last*/) {}
    virtual void rowsInserted(int /*first*/, int /*last*/) {}
    virtual void rowsAboutToBeRemoved(int /*first*/, int /*last*/) {}
    virtual void rowsRemoved(int /*first*/, int /*last*/) {}
    // The rows show new text; their number is unchanged.
    virtual void rowsChanged(int /*first*/, int /*last*/) {}
    // The whole list is replaced.
    virtual void listAboutToBeReset() {}
    virtual void listReset() {}
};

} // namespace tessaro
